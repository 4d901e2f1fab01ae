// Setting and posting the total on the real window: the amount in 编辑框1,
// the buttons "修改", "确定" and "入账", and what the total, the daily
// suggestion and the balance show afterwards.
#include <QAbstractButton>
#include <QtTest>
#include <clocale>

#include "window_fixture.h"

class TestBudget : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { std::setlocale(LC_ALL, "C"); }

    void buttons_data() {
        QTest::addColumn<QString>("button");
        QTest::addColumn<int>("presses");
        QTest::addColumn<QByteArray>("total");
        QTest::addColumn<QByteArray>("amount");
        QTest::addColumn<QByteArray>("spending");
        QTest::addColumn<QByteArray>("newTotal");
        QTest::addColumn<QByteArray>("daily");
        QTest::addColumn<QByteArray>("balance");
        struct Row {
            const char* name;
            int presses;
            const char* total;
            const char* amount;
            const char* spending;
            const char* newTotal;
            const char* daily;
            const char* balance;
        };
        const auto addRow = [](const char16_t* button, const char* buttonCaption, const Row& row) {
            QTest::addRow("%s %s", buttonCaption, row.name)
                << QString::fromUtf16(button) << row.presses << QByteArray(row.total)
                << QByteArray(row.amount) << QByteArray(row.spending) << QByteArray(row.newTotal)
                << QByteArray(row.daily) << QByteArray(row.balance);
        };
        const Row budgets[] = {
            {"3000", 1, "", "3000", "", "3000", "100", "3000"},
            {"13 digits", 1, "", "1000", "", "1000", "33.33333333333", "1000"},
            {"empty amount", 1, "500", "", "150", "", "0", "-150"},
            {"text after the number", 1, "", "3000元", "", "3000元", "100", "3000"},
            {"spending above the total", 1, "", "100", "150", "100", "3.333333333333", "-50"},
            {"16 digits kept in the total", 1, "", "1234567890123456", "", "1234567890123456",
             "4.115226300412e+013", "1.234567890123e+015"},
        };
        // "修改" and "确定" run the same operation.
        for (const Row& row : budgets) {
            addRow(u"按钮6", "OK", row);
            addRow(u"按钮1", "change", row);
        }
        const Row credits[] = {
            {"credit", 1, "3000", "500", "", "3500", "116.6666666667", "3500"},
            {"credit twice", 2, "3000", "500", "", "4000", "133.3333333333", "4000"},
            {"credit with spending", 1, "3000", "500", "150", "3500", "116.6666666667", "3350"},
            {"no total yet", 1, "", "200", "", "200", "6.666666666667", "200"},
            {"total not a number", 1, "abc", "200", "", "200", "6.666666666667", "200"},
            {"total rounded to its text", 1, "3000.50", "0", "", "3000.5", "100.0166666667",
             "3000.5"},
            {"negative amount", 1, "3000", "-500", "", "2500", "83.33333333333", "2500"},
        };
        for (const Row& row : credits) addRow(u"按钮5", "post", row);
    }
    void buttons() {
        QFETCH(QString, button);
        QFETCH(int, presses);
        QFETCH(QByteArray, total);
        QFETCH(QByteArray, amount);
        QFETCH(QByteArray, spending);
        QFETCH(QByteArray, newTotal);
        QFETCH(QByteArray, daily);
        QFETCH(QByteArray, balance);
        WindowFixture fixture;
        QVERIFY(fixture.start());
        主窗口& window = fixture.window();
        window.WriteControlText(Control::透明标签1, total.toStdString());
        window.WriteControlText(Control::编辑框1, amount.toStdString());
        window.WriteControlText(Control::编辑框9, spending.toStdString());
        for (int i = 0; i < presses; ++i)
            QTest::mouseClick(fixture.control(button), Qt::LeftButton);
        QCOMPARE(fixture.text(Control::透明标签1), newTotal);
        QCOMPARE(fixture.text(Control::编辑框3), daily);
        QCOMPARE(fixture.text(Control::编辑框10), balance);
        QCOMPARE(fixture.text(Control::编辑框1), amount);
        QCOMPARE(fixture.text(Control::编辑框9), spending);
    }

    // As a person does it: type the amount, press "确定".
    void typedAmount() {
        WindowFixture fixture;
        QVERIFY(fixture.start());
        QTest::keyClicks(fixture.control(u"编辑框1"_qs), u"3000"_qs);
        QTest::mouseClick(fixture.control(u"按钮6"_qs), Qt::LeftButton);
        QCOMPARE(fixture.text(Control::透明标签1), QByteArray("3000"));
        QCOMPARE(fixture.text(Control::编辑框3), QByteArray("100"));
        QCOMPARE(fixture.text(Control::编辑框10), QByteArray("3000"));
    }
};

QTEST_MAIN(TestBudget)
#include "test_budget.moc"
