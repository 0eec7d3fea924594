#include "GuiTest.h"
#include "OpenLog.h"
#include "log/FrmLog1.h"
#include "log/LogColumns.h"
#include "log/LogGridView.h"
#include "log/LogTableModel.h"
#include "platform/DesignLook.h"

#include <QHeaderView>

// The grid's columns show their captions and values whole in the fonts in use, and the window
// opens on the columns the operator fills first.
class TestLogGridWidths : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { QCOMPARE(GuiTest::remainingWindows(), QStringList()); }
    void columnsShowWholeValues();
};

void TestLogGridWidths::columnsShowWholeValues() {
    OpenLog log({"2024-12-28|IK0AAA|Massimiliano"});
    log.open();
    log.file->execute("UPDATE Log1 SET [Time Init] = '23:59:58 ', [Time End] = '23:59:59 ', "
                      "Frequency = '14.205.500'");
    log.click("cmdRefresh");
    LogGridView* view = log.view();
    const QFontMetrics cells(view->font());
    const QFontMetrics captions(view->horizontalHeader()->font());
    for (int column = 0; column < LogColumns::kCount; ++column) {
        const int width = view->columnWidth(column);
        QVERIFY(width >= DesignLook::pixels(LogColumns::at(column).widthTwips));
        QVERIFY2(captions.horizontalAdvance(LogColumns::at(column).caption) < width,
                 qPrintable(LogColumns::at(column).caption));
        QVERIFY2(cells.horizontalAdvance(log.cell(0, column)) < width,
                 qPrintable(log.cell(0, column)));
    }
    const int qth = 5;
    QVERIFY(view->columnViewportPosition(qth) + view->columnWidth(qth) <=
            view->viewport()->width());
    log.windows.frmLog1().unload();
}

QTEST_MAIN(TestLogGridWidths)
#include "tst_loggridwidths.moc"
