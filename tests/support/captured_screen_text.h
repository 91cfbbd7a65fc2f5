// Collects what is printed to file number 0 while a test runs.
#pragma once

#include <string>
#include <string_view>

#include "text/sinks.h"

namespace zephyrion {

class CapturedScreenText {
 public:
  CapturedScreenText() {
    captured().clear();
    setScreenTextReceiver([](std::string_view text) { captured().append(text); });
  }
  ~CapturedScreenText() { setScreenTextReceiver(nullptr); }
  CapturedScreenText(const CapturedScreenText&) = delete;
  CapturedScreenText& operator=(const CapturedScreenText&) = delete;

  const std::string& text() const { return captured(); }

 private:
  static std::string& captured() {
    static std::string text;
    return text;
  }
};

}  // namespace zephyrion
