#pragma once
// The small expression language of a lesson's check: numbers, quoted texts, readout and control
// names as the batch runner prints them, `answer`, + - * /, comparisons, and/or/not, abs, log10,
// min, max and parentheses. Compiled once into a tree, evaluated at every check.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace linklab {

// A value is a number or a text; a control's value is the text it shows, read as a number where
// a number is wanted (NaN when it is not one).
struct ExpressionValue {
  double number = 0;
  std::string text;
  bool isText = false;
  double asNumber() const;
};

// Where the names' values come from at each evaluation.
class ExpressionInputs {
 public:
  virtual ~ExpressionInputs() = default;
  virtual double readout(std::string_view name) const = 0;
  virtual std::string control(std::string_view name) const = 0;  // setup setting name, e.g. cmbMod(0)
  virtual double answer() const = 0;
};

struct ExpressionNode;
struct ExpressionCompile;

class Expression {
 public:
  Expression();
  ~Expression();
  Expression(Expression&&) noexcept;
  Expression& operator=(Expression&&) noexcept;
  // NaN, and any comparison with NaN, is false; any other number is true when not 0.
  bool holds(const ExpressionInputs& inputs) const;
  ExpressionValue evaluate(const ExpressionInputs& inputs) const;
  bool readsAnswer() const { return usesAnswer; }

 private:
  friend struct ExpressionCompiler;
  friend ExpressionCompile compileExpression(std::string_view text);
  std::unique_ptr<ExpressionNode> root;
  bool usesAnswer = false;
};

struct ExpressionCompile {
  Expression expression;
  std::string error;    // empty on success, else what was wrong
  int column = 0;       // 1-based column of the offending token
  std::string token;    // the token it was near
};

ExpressionCompile compileExpression(std::string_view text);

// The readouts a check may read (the batch runner's names).
const std::vector<std::string_view>& expressionReadoutNames();

}  // namespace linklab
