// 岚禾记账器: one window in which one person keeps a monthly budget.
#include <QApplication>
#include <QIcon>
#include <clocale>

#include "application.h"
#include "main_window.h"
#include "program_directory.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    // Qt takes the locale from the environment; number texts always use ".".
    std::setlocale(LC_NUMERIC, "C");
    QApplication::setWindowIcon(QIcon(u":/lanhe-ledger.png"_qs));
    QApplication::setFont(interfaceFont());
    return runMainWindow(ProgramDirectory());
}
