#include "app/program_entry.h"

#include <cxxabi.h>
#include <dlfcn.h>

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <typeinfo>

#include "app/display_probe.h"
#include "app/session_end.h"
#include "platform/gui/application.h"
#include "platform/gui/message_box.h"
#include "platform/runtime/errors.h"

namespace bilan {

namespace {

// The address relative to the start of the module that holds it: the same in
// every run despite address-space randomisation, so it names the place.
unsigned long long ModuleOffset(const void* address) {
  Dl_info info{};
  const auto value = reinterpret_cast<unsigned long long>(address);
  if (address != nullptr && dladdr(address, &info) != 0 && info.dli_fbase != nullptr)
    return value - reinterpret_cast<unsigned long long>(info.dli_fbase);
  return value;
}

unsigned long long FailureAddress() {
  const void* step = Application != nullptr ? Application->CurrentStep() : nullptr;
  return ModuleOffset(step != nullptr ? step : reinterpret_cast<const void*>(&RunApplication));
}

// A readable name for an error that is not one of the program's own.
std::string ClassNameOf(const std::exception& error) {
  int status = 0;
  std::unique_ptr<char, decltype(&std::free)> readable(
      abi::__cxa_demangle(typeid(error).name(), nullptr, nullptr, &status), &std::free);
  return status == 0 && readable != nullptr ? readable.get() : typeid(error).name();
}

}  // namespace

int RunApplication(int argc, char** argv, const std::function<void()>& steps) {
  const char* argv0 = argc > 0 ? argv[0] : nullptr;
  const QString program = ProgramFilePath(argv0);
  const QString module = QFileInfo(program).fileName();

  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);

  // Qt would read its own options (-platform, -reverse, -style...) from the
  // command line; the program reads none, so Qt is given only the name.
  int qt_argc = 1;
  char* qt_argv[] = {const_cast<char*>(argv0 != nullptr ? argv0 : "bilan"), nullptr};
  std::unique_ptr<QApplication> qt;
  if (qApp == nullptr) {
    if (const auto reason = MissingDisplayReason()) {
      const std::string line = MissingDisplayMessage(module.toStdString(), *reason);
      std::fprintf(stderr, "%s\n", line.c_str());
      return 1;
    }
    qt = std::make_unique<QApplication>(qt_argc, qt_argv);
  }

  TApplication application(TitleFromProgramFile(program), LoadApplicationIcon(kMainIconResource),
                           ShowCommandFromArguments(arguments));
  SessionEndWatch session_end([&application] { application.Terminate(); });

  try {
    steps();
  } catch (const Exception& error) {
    ShowApplicationError(error.ClassName(), module, FailureAddress(), error.Message());
    return 1;
  } catch (const std::exception& error) {
    ShowApplicationError(ClassNameOf(error), module, FailureAddress(), error.what());
    return 1;
  }
  return 0;
}

}  // namespace bilan
