#pragma once

#include <QObject>
#include <memory>

namespace zifrel::test {

std::unique_ptr<QObject> MakeWindowTest();
std::unique_ptr<QObject> MakeJobsGuiTest();
std::unique_ptr<QObject> MakeSheetGuiTest();
std::unique_ptr<QObject> MakePlayGuiTest();

}  // namespace zifrel::test
