// What a field with a typed-text limit accepts of a typed, pasted or dropped text.

#include <QTest>

#include "platform/gui/input_limit.h"

class InputLimitTest : public QObject {
  Q_OBJECT

 private slots:
  void fit_data() {
    // clang-format off
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("incoming");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("accepted");

    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");  // two UTF-16 units

    QTest::newRow("tenth digit accepted") << "123456789" << "" << "0" << 10 << "0";
    QTest::newRow("eleventh digit refused") << "1234567890" << "" << "1" << 10 << "";
    QTest::newRow("digit over a selection at the limit") << "1234567890" << "5" << "x" << 10 << "x";
    QTest::newRow("paste of 15 into empty keeps 10") << "" << "" << "123456789012345" << 10 << "1234567890";
    QTest::newRow("paste cut to the room left by the selection") << "1234567890" << "90" << "abc" << 10 << "ab";
    QTest::newRow("paste replacing everything") << "1234567890" << "1234567890" << "abcdefghijkl" << 10 << "abcdefghij";
    QTest::newRow("paste that fits whole") << "12" << "" << "345" << 10 << "345";
    QTest::newRow("no limit takes everything") << "0,0" << "" << "12345678901234567890" << 0 << "12345678901234567890";
    QTest::newRow("program text beyond limit: no room") << "-1234,56789012" << "" << "1" << 10 << "";
    QTest::newRow("program text beyond limit, selection makes room") << "1234567890123" << "1234" << "abc" << 10 << "a";
    QTest::newRow("empty paste over a selection") << "123" << "2" << "" << 10 << "";
    QTest::newRow("accented letter counts one") << QString::fromUtf8("\xC3\xA9") + "12345678" << "" << "ab" << 10 << "a";
    QTest::newRow("two-unit character counts one in the text") << smile + "12345678" << "" << "ab" << 10 << "a";
    QTest::newRow("two-unit character kept whole") << "123456789" << "" << smile + "x" << 10 << smile;
    QTest::newRow("two-unit character not split at the cut") << "12345678" << "" << "x" + smile + "y" << 10 << "x" + smile;
    // clang-format on
  }

  void fit() {
    QFETCH(QString, text);
    QFETCH(QString, selected);
    QFETCH(QString, incoming);
    QFETCH(int, maxLength);
    QFETCH(QString, accepted);
    QCOMPARE(bilan::gui::FitInsertion(text, selected, incoming, maxLength), accepted);
  }
};

QTEST_APPLESS_MAIN(InputLimitTest)
#include "input_limit_test.moc"
