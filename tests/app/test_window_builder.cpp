// The window definition is checked before anything is built: each kind of
// fault in a row stops the build.
#include <QWidget>
#include <QtTest>
#include <functional>
#include <vector>

#include "window_builder.h"

using Edit = std::function<void(std::vector<ControlDefinition>&)>;
Q_DECLARE_METATYPE(Edit)

namespace {

ControlDefinition& rowOf(std::vector<ControlDefinition>& rows, Control control) {
    return rows[static_cast<std::size_t>(control)];
}

}  // namespace

class TestWindowBuilder : public QObject {
    Q_OBJECT
private slots:
    void theWindowDefinitionBuilds() {
        QWidget window;
        const ControlObjects objects = buildControls(&window, windowDefinition());
        for (const ControlDefinition& row : windowDefinition()) {
            QObject* built = objects[static_cast<std::size_t>(row.name)];
            QVERIFY(built);
            QCOMPARE(built->objectName(), QString::fromUtf16(row.objectName));
        }
    }

    void faultyRows_data() {
        QTest::addColumn<Edit>("edit");
        QTest::newRow("rows swapped") << Edit([](auto& rows) { std::swap(rows[0], rows[1]); });
        QTest::newRow("row missing") << Edit([](auto& rows) { rows.pop_back(); });
        QTest::newRow("label as parent")
            << Edit([](auto& rows) { rowOf(rows, Control::按钮2).parent = Control::标签1; });
        QTest::newRow("parent before its child") << Edit([](auto& rows) {
            rowOf(rows, Control::标签1).parent = Control::选择夹1;
            rowOf(rows, Control::分组框1).parent = Control::分组框2;
        });
        QTest::newRow("name of another kind")
            << Edit([](auto& rows) { rowOf(rows, Control::标签1).objectName = u"按钮1"; });
        QTest::newRow("name without ordinal")
            << Edit([](auto& rows) { rowOf(rows, Control::标签1).objectName = u"标签"; });
        QTest::newRow("edit box without input mode")
            << Edit([](auto& rows) { rowOf(rows, Control::编辑框1).mode = InputMode::None; });
        QTest::newRow("label with input mode")
            << Edit([](auto& rows) { rowOf(rows, Control::标签1).mode = InputMode::AnyText; });
        QTest::newRow("empty place")
            << Edit([](auto& rows) { rowOf(rows, Control::按钮6).place.width = 0; });
        QTest::newRow("timer without interval")
            << Edit([](auto& rows) { rowOf(rows, Control::时钟1).intervalMs = 0; });
        QTest::newRow("multi-line label")
            << Edit([](auto& rows) { rowOf(rows, Control::标签2).multiLine = true; });
    }
    void faultyRows() {
        QFETCH(Edit, edit);
        std::vector<ControlDefinition> rows(windowDefinition().begin(), windowDefinition().end());
        edit(rows);
        QWidget window;
        QVERIFY_THROWS_EXCEPTION(WindowDefinitionError, buildControls(&window, rows));
        QVERIFY(window.children().isEmpty());
    }
};

QTEST_MAIN(TestWindowBuilder)
#include "test_window_builder.moc"
