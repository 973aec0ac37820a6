#pragma once
// Records the next modal box that opens and presses its OK button: the boxes
// run their own loop, so a test can only look at them from inside it.

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

struct SeenBox {
  bool opened = false;
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  Qt::TextFormat format = Qt::AutoText;
  Qt::WindowModality modality = Qt::NonModal;
  QStringList buttons;
  bool only_ok = false;
};

class BoxWatch {
 public:
  // `while_open` runs while the box is open, before OK is pressed.
  explicit BoxWatch(std::function<void()> while_open = {}) : while_open_(std::move(while_open)) {
    timer_.setSingleShot(true);
    timer_.setInterval(0);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Look(); });
    timer_.start();
  }

  const SeenBox& Seen() const { return seen_; }

 private:
  void Look() {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      // Not open yet: the test fails on `opened` unless it opens soon.
      if (++tries_ < 50) timer_.start(10);
      return;
    }
    seen_.opened = true;
    seen_.caption = box->windowTitle();
    seen_.text = box->text();
    seen_.icon = box->icon();
    seen_.format = box->textFormat();
    seen_.modality = box->windowModality();
    for (QAbstractButton* button : box->buttons()) seen_.buttons << button->text();
    seen_.only_ok = box->buttons().size() == 1 && box->standardButtons() == QMessageBox::Ok;
    if (while_open_) while_open_();
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      ok->click();
    } else {
      box->close();
    }
  }

  std::function<void()> while_open_;
  QTimer timer_;
  SeenBox seen_;
  int tries_ = 0;
};
