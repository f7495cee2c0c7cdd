#pragma once

namespace zifrel {

// Without a display Qt fails to start with a page of plugin warnings. While
// the application starts, this holds Qt's messages back: when no display can
// be opened it says so in one line and ends the program with status 1;
// otherwise it hands the messages on as Qt would have printed them.
class DisplayCheck {
 public:
  DisplayCheck();  // before the QApplication is constructed
  ~DisplayCheck();
  void Opened();  // the QApplication is there
  DisplayCheck(const DisplayCheck&) = delete;
  DisplayCheck& operator=(const DisplayCheck&) = delete;
};

}  // namespace zifrel
