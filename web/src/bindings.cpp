// What the page's JavaScript sees of the model: the WebApp, and each picture's pixels as a view
// on the module's memory (no copy; valid until the next call into the model).
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "web_app.h"

using linklab::web::WebApp;

namespace {

emscripten::val pixels(const WebApp& app, int index) {
  const linklab::web::PixelRaster* raster = app.raster(index);
  if (!raster) return emscripten::val::null();
  const std::size_t bytes = static_cast<std::size_t>(raster->columns()) * raster->rows() * 4;
  return emscripten::val(
      emscripten::typed_memory_view(bytes, reinterpret_cast<const uint8_t*>(raster->pixels())));
}

}  // namespace

EMSCRIPTEN_BINDINGS(linklab) {
  emscripten::class_<WebApp>("WebApp")
      .constructor<>()
      .function("load", &WebApp::load)
      .function("setText", &WebApp::setText)
      .function("setValue", &WebApp::setValue)
      .function("click", &WebApp::click)
      .function("mouse", &WebApp::mouse)
      .function("showHelp", &WebApp::showHelp)
      .function("closeHelp", &WebApp::closeHelp)
      .function("resetCounts", &WebApp::resetCounts)
      .function("tick", &WebApp::tick)
      .function("setPixelScale", &WebApp::setPixelScale)
      .function("changes", &WebApp::changes)
      .function("pixels", &pixels)
      .function("takeMessage", &WebApp::takeMessage)
      .function("messageClosed", &WebApp::messageClosed)
      .function("sliderText", &WebApp::sliderText)
      .function("setScaleStyle", &WebApp::setScaleStyle)
      .function("setScalesShown", &WebApp::setScalesShown)
      .function("openSetup", &WebApp::openSetup)
      .function("setupText", &WebApp::setupText)
      .function("setupLink", &WebApp::setupLink)
      .function("openLesson", &WebApp::openLesson)
      .function("openLessonText", &WebApp::openLessonText)
      .function("lessonGo", &WebApp::lessonGo)
      .function("lessonAnswer", &WebApp::lessonAnswer)
      .function("lessonCheck", &WebApp::lessonCheck)
      .function("lessonSolve", &WebApp::lessonSolve)
      .function("lessonState", &WebApp::lessonState)
      .class_function("lessonList", &WebApp::lessonList)
      .class_function("lockedTooltip", &WebApp::lockedTooltip)
      .function("tabOrder", &WebApp::tabOrder)
      .function("fileStem", &WebApp::fileStem)
      .function("pictureComplete", &WebApp::pictureComplete)
      .function("pictureSvg", &WebApp::pictureSvg)
      .class_function("tooltip", &WebApp::tooltip);
}
