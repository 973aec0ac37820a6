// Shows the main window with a known text in Edit1 and stays open, so that a
// script can read its accessible tree from the desktop's accessibility bus.
// Ends by itself after a minute in case nobody stops it.

#include <QApplication>
#include <QTimer>
#include <cstdio>

#include "ui/form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  TForm1 form;
  form.Edit1->SetText("1234");
  form.show();
  QTimer::singleShot(0, [] {
    std::printf("ready\n");
    std::fflush(stdout);
  });
  QTimer::singleShot(60000, &app, &QApplication::quit);
  return app.exec();
}
