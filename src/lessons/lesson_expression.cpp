#include "lessons/lesson_expression.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "setups/setup_settings.h"

namespace linklab {

namespace {

std::optional<double> numberOf(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  if (text.empty()) return std::nullopt;
  const std::string copy(text);
  char* end = nullptr;
  const double v = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size()) return std::nullopt;
  return v;
}

enum class Op { Add, Sub, Mul, Div, Lt, Le, Gt, Ge, Eq, Ne, And, Or, Not, Neg, Abs, Log10, Min, Max };

struct Token {
  enum class Kind { Number, Text, Name, Symbol, End } kind;
  std::string_view text;
  int column;
  double number = 0;
};

}  // namespace

struct ExpressionNode {
  enum class Kind { Number, Text, Readout, Control, Answer, Unary, Binary } kind;
  double number = 0;
  std::string text;  // the text, or the readout's or control's name
  Op op = Op::Add;
  std::unique_ptr<ExpressionNode> a, b;
};

double ExpressionValue::asNumber() const {
  if (!isText) return number;
  return numberOf(text).value_or(NAN);
}

namespace {

bool truth(const ExpressionValue& v) {
  const double n = v.asNumber();
  return !std::isnan(n) && n != 0;
}

ExpressionValue numberValue(double n) { return {n, {}, false}; }

ExpressionValue evaluateNode(const ExpressionNode& node, const ExpressionInputs& in) {
  using K = ExpressionNode::Kind;
  switch (node.kind) {
    case K::Number: return numberValue(node.number);
    case K::Text: return {0, node.text, true};
    case K::Readout: return numberValue(in.readout(node.text));
    case K::Control: return {0, in.control(node.text), true};
    case K::Answer: return numberValue(in.answer());
    case K::Unary: {
      const ExpressionValue a = evaluateNode(*node.a, in);
      switch (node.op) {
        case Op::Neg: return numberValue(-a.asNumber());
        case Op::Not: return numberValue(truth(a) ? 0 : 1);
        case Op::Abs: return numberValue(std::fabs(a.asNumber()));
        case Op::Log10: return numberValue(std::log10(a.asNumber()));
        default: break;
      }
      break;
    }
    case K::Binary: {
      const ExpressionValue a = evaluateNode(*node.a, in);
      const ExpressionValue b = evaluateNode(*node.b, in);
      if ((node.op == Op::Eq || node.op == Op::Ne) && a.isText && b.isText)
        return numberValue((a.text == b.text) == (node.op == Op::Eq) ? 1 : 0);
      const double x = a.asNumber(), y = b.asNumber();
      // A comparison with NaN is false, whichever way it asks.
      const bool nan = std::isnan(x) || std::isnan(y);
      switch (node.op) {
        case Op::Add: return numberValue(x + y);
        case Op::Sub: return numberValue(x - y);
        case Op::Mul: return numberValue(x * y);
        case Op::Div: return numberValue(x / y);
        case Op::Lt: return numberValue(!nan && x < y);
        case Op::Le: return numberValue(!nan && x <= y);
        case Op::Gt: return numberValue(!nan && x > y);
        case Op::Ge: return numberValue(!nan && x >= y);
        case Op::Eq: return numberValue(!nan && x == y);
        case Op::Ne: return numberValue(!nan && x != y);
        case Op::And: return numberValue(truth(a) && truth(b));
        case Op::Or: return numberValue(truth(a) || truth(b));
        // min and max of a NaN are NaN, so a missing readout never looks like a limit.
        case Op::Min: return numberValue(nan ? NAN : std::min(x, y));
        case Op::Max: return numberValue(nan ? NAN : std::max(x, y));
        default: break;
      }
      break;
    }
  }
  return numberValue(NAN);
}

bool isNameStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool isNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

}  // namespace

const std::vector<std::string_view>& expressionReadoutNames() {
  static const std::vector<std::string_view> names = {
      "dEbN0dB", "dEbN0EffectivedB", "dEVMPercent", "dEVMPeakPercent", "lSymbols", "lSymbolErrors",
      "lBits", "lBitErrors", "dSER", "dBER", "dSERTheory", "dBERTheory", "dEyeOpeningPercent",
      "dQFactor", "dOccupiedBandwidthkHz", "dOutOfBandPowerdBc", "dEnvelopeMinPercent"};
  return names;
}

struct ExpressionCompiler {
  std::string_view source;
  std::vector<Token> tokens;
  std::size_t at = 0;
  std::string error;
  int errorColumn = 0;
  std::string errorToken;
  bool usesAnswer = false;

  using Node = std::unique_ptr<ExpressionNode>;

  bool fail(const Token& t, std::string what) {
    if (error.empty()) {
      error = std::move(what);
      errorColumn = t.column;
      errorToken = t.kind == Token::Kind::End ? "end of the expression" : std::string(t.text);
    }
    return false;
  }

  bool tokenize() {
    std::size_t i = 0;
    while (i < source.size()) {
      const char c = source[i];
      const int column = static_cast<int>(i) + 1;
      if (std::isspace(static_cast<unsigned char>(c))) {
        ++i;
        continue;
      }
      if (std::isdigit(static_cast<unsigned char>(c)) || (c == '.' && i + 1 < source.size() &&
                                                          std::isdigit(static_cast<unsigned char>(source[i + 1])))) {
        const std::string rest(source.substr(i));
        char* end = nullptr;
        const double v = std::strtod(rest.c_str(), &end);
        const std::size_t length = static_cast<std::size_t>(end - rest.c_str());
        tokens.push_back({Token::Kind::Number, source.substr(i, length), column, v});
        i += length;
        if (i < source.size() && isNameChar(source[i]))
          return fail({Token::Kind::Symbol, source.substr(column - 1, i - column + 2), column, 0}, "malformed number");
        continue;
      }
      if (c == '"') {
        const auto close = source.find('"', i + 1);
        if (close == std::string_view::npos)
          return fail({Token::Kind::Symbol, source.substr(i), column, 0}, "a text without its closing quote");
        tokens.push_back({Token::Kind::Text, source.substr(i + 1, close - i - 1), column, 0});
        i = close + 1;
        continue;
      }
      if (isNameStart(c)) {
        std::size_t j = i;
        while (j < source.size() && isNameChar(source[j])) ++j;
        tokens.push_back({Token::Kind::Name, source.substr(i, j - i), column, 0});
        i = j;
        continue;
      }
      static constexpr std::string_view twoChar[] = {"<=", ">=", "==", "!="};
      bool matched = false;
      for (std::string_view s : twoChar)
        if (source.substr(i, 2) == s) {
          tokens.push_back({Token::Kind::Symbol, source.substr(i, 2), column, 0});
          i += 2;
          matched = true;
          break;
        }
      if (matched) continue;
      if (std::string_view("+-*/<>(),").find(c) != std::string_view::npos) {
        tokens.push_back({Token::Kind::Symbol, source.substr(i, 1), column, 0});
        ++i;
        continue;
      }
      return fail({Token::Kind::Symbol, source.substr(i, 1), column, 0}, "unexpected character");
    }
    tokens.push_back({Token::Kind::End, {}, static_cast<int>(source.size()) + 1, 0});
    return true;
  }

  const Token& peek() const { return tokens[at]; }
  bool isSymbol(std::string_view s) const { return peek().kind == Token::Kind::Symbol && peek().text == s; }
  bool isWord(std::string_view s) const { return peek().kind == Token::Kind::Name && peek().text == s; }

  static Node make(ExpressionNode::Kind kind) {
    auto n = std::make_unique<ExpressionNode>();
    n->kind = kind;
    return n;
  }
  static Node binary(Op op, Node a, Node b) {
    Node n = make(ExpressionNode::Kind::Binary);
    n->op = op;
    n->a = std::move(a);
    n->b = std::move(b);
    return n;
  }
  static Node unary(Op op, Node a) {
    Node n = make(ExpressionNode::Kind::Unary);
    n->op = op;
    n->a = std::move(a);
    return n;
  }

  Node orExpr() {
    Node left = andExpr();
    while (left && isWord("or")) {
      ++at;
      Node right = andExpr();
      if (!right) return nullptr;
      left = binary(Op::Or, std::move(left), std::move(right));
    }
    return left;
  }

  Node andExpr() {
    Node left = notExpr();
    while (left && isWord("and")) {
      ++at;
      Node right = notExpr();
      if (!right) return nullptr;
      left = binary(Op::And, std::move(left), std::move(right));
    }
    return left;
  }

  Node notExpr() {
    if (isWord("not")) {
      ++at;
      Node operand = notExpr();
      return operand ? unary(Op::Not, std::move(operand)) : nullptr;
    }
    return comparison();
  }

  Node comparison() {
    Node left = sum();
    if (!left) return nullptr;
    static constexpr std::pair<std::string_view, Op> ops[] = {{"<", Op::Lt},  {"<=", Op::Le}, {">", Op::Gt},
                                                              {">=", Op::Ge}, {"==", Op::Eq}, {"!=", Op::Ne}};
    for (const auto& [symbol, op] : ops) {
      if (!isSymbol(symbol)) continue;
      ++at;
      Node right = sum();
      if (!right) return nullptr;
      for (const auto& [again, unused] : ops)
        if (isSymbol(again)) return fail(peek(), "comparisons do not chain; join them with 'and'"), nullptr;
      return binary(op, std::move(left), std::move(right));
    }
    return left;
  }

  Node sum() {
    Node left = product();
    while (left && (isSymbol("+") || isSymbol("-"))) {
      const Op op = peek().text == "+" ? Op::Add : Op::Sub;
      ++at;
      Node right = product();
      if (!right) return nullptr;
      left = binary(op, std::move(left), std::move(right));
    }
    return left;
  }

  Node product() {
    Node left = negation();
    while (left && (isSymbol("*") || isSymbol("/"))) {
      const Op op = peek().text == "*" ? Op::Mul : Op::Div;
      ++at;
      Node right = negation();
      if (!right) return nullptr;
      left = binary(op, std::move(left), std::move(right));
    }
    return left;
  }

  Node negation() {
    if (isSymbol("-")) {
      ++at;
      Node operand = negation();
      return operand ? unary(Op::Neg, std::move(operand)) : nullptr;
    }
    return primary();
  }

  bool expect(std::string_view symbol) {
    if (isSymbol(symbol)) {
      ++at;
      return true;
    }
    return fail(peek(), "expected '" + std::string(symbol) + "'");
  }

  Node call(const Token& name) {
    struct Function {
      std::string_view name;
      Op op;
      int arguments;
    };
    static constexpr Function functions[] = {
        {"abs", Op::Abs, 1}, {"log10", Op::Log10, 1}, {"min", Op::Min, 2}, {"max", Op::Max, 2}};
    for (const Function& f : functions) {
      if (f.name != name.text) continue;
      ++at;  // the '('
      Node a = orExpr();
      if (!a) return nullptr;
      if (f.arguments == 1) return expect(")") ? unary(f.op, std::move(a)) : nullptr;
      if (!expect(",")) return nullptr;
      Node b = orExpr();
      if (!b || !expect(")")) return nullptr;
      return binary(f.op, std::move(a), std::move(b));
    }
    return nullptr;
  }

  Node primary() {
    const Token t = peek();
    switch (t.kind) {
      case Token::Kind::Number: {
        ++at;
        Node n = make(ExpressionNode::Kind::Number);
        n->number = t.number;
        return n;
      }
      case Token::Kind::Text: {
        ++at;
        Node n = make(ExpressionNode::Kind::Text);
        n->text = std::string(t.text);
        return n;
      }
      case Token::Kind::Symbol:
        if (t.text == "(") {
          ++at;
          Node inner = orExpr();
          return inner && expect(")") ? std::move(inner) : nullptr;
        }
        return fail(t, "expected a number, a text, a name or '('"), nullptr;
      case Token::Kind::End: return fail(t, "the expression ends too soon"), nullptr;
      case Token::Kind::Name: break;
    }
    if (t.text == "and" || t.text == "or" || t.text == "not")
      return fail(t, "expected a number, a text, a name or '('"), nullptr;
    ++at;
    if (isSymbol("(")) {
      if (Node f = call(t)) return f;
      if (!error.empty()) return nullptr;
      // A control with an index, written as the batch runner prints it: cmbMod(0).
      ++at;
      const Token index = peek();
      if (index.kind != Token::Kind::Number) return fail(index, "expected a control's index"), nullptr;
      ++at;
      if (!expect(")")) return nullptr;
      const std::string name = std::string(t.text) + "(" + std::string(index.text) + ")";
      if (!findSetupSetting(name)) return fail(t, "unknown control '" + name + "'"), nullptr;
      Node n = make(ExpressionNode::Kind::Control);
      n->text = name;
      return n;
    }
    if (t.text == "answer") {
      usesAnswer = true;
      return make(ExpressionNode::Kind::Answer);
    }
    for (std::string_view r : expressionReadoutNames())
      if (r == t.text) {
        Node n = make(ExpressionNode::Kind::Readout);
        n->text = std::string(t.text);
        return n;
      }
    if (findSetupSetting(t.text)) {
      Node n = make(ExpressionNode::Kind::Control);
      n->text = std::string(t.text);
      return n;
    }
    return fail(t, "unknown name"), nullptr;
  }
};

Expression::Expression() = default;
Expression::~Expression() = default;
Expression::Expression(Expression&&) noexcept = default;
Expression& Expression::operator=(Expression&&) noexcept = default;

ExpressionValue Expression::evaluate(const ExpressionInputs& inputs) const {
  return root ? evaluateNode(*root, inputs) : numberValue(NAN);
}

bool Expression::holds(const ExpressionInputs& inputs) const { return truth(evaluate(inputs)); }

ExpressionCompile compileExpression(std::string_view text) {
  ExpressionCompiler c;
  c.source = text;
  ExpressionCompile result;
  if (c.tokenize()) {
    auto root = c.orExpr();
    if (root && c.peek().kind != Token::Kind::End) c.fail(c.peek(), "unexpected token after the expression");
    if (c.error.empty()) {
      result.expression.root = std::move(root);
      result.expression.usesAnswer = c.usesAnswer;
      return result;
    }
  }
  result.error = c.error;
  result.column = c.errorColumn;
  result.token = c.errorToken;
  return result;
}

}  // namespace linklab
