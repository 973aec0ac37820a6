// The window program: the run-time parts start, then the program's own three
// steps run inside the application frame.

#include "app/program_entry.h"
#include "platform/gui/application.h"
#include "platform/runtime/decimal_mark.h"
#include "platform/runtime/float_env.h"
#include "ui/form1.h"

int main(int argc, char** argv) {
  bilan::InitFloatingPointEnvironment();
  bilan::InstallUserDefaultLocale();
  bilan::LoadDecimalMark();
  return bilan::RunApplication(argc, argv, [] {
    using bilan::Application;
    Application->Initialize();
    Application->CreateForm(Form1);
    Application->Run();
  });
}
