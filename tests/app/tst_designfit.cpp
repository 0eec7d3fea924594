#include "TestServices.h"
#include "app/Windows.h"
#include "backup/Form2.h"
#include "clock/Form1.h"
#include "log/FrmLog1.h"
#include "platform/DesignLook.h"
#include "startup/FrmSplash.h"
#include "startup/FrmTip.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStyleOptionComboBox>
#include <QTest>

namespace {

double luminance(const QColor& colour) {
    const auto channel = [](double value) {
        value /= 255.0;
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
           0.0722 * channel(colour.blue());
}

double contrast(const QColor& a, const QColor& b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QString plain(QString text) {
    return text.remove(QLatin1Char('&'));
}

} // namespace

// Every text of every window, measured in the faces the program maps the design's families to,
// fits its designed box and stands out from its background.
class TstDesignFit : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { DesignLook::useDesignFaces(); }
    void textsFitAndRead_data();
    void textsFitAndRead();
};

void TstDesignFit::textsFitAndRead_data() {
    QTest::addColumn<QString>("window");
    for (const char* window : {"Form1", "frmLog1", "Form2", "frmSplash", "frmTip"})
        QTest::newRow(window) << window;
}

void TstDesignFit::textsFitAndRead() {
    QFETCH(QString, window);
    TestServices test;
    test.createLog();
    Windows windows(test.services);
    QWidget* shown = nullptr;
    if (window == "Form1")
        shown = windows.form1().show();
    else if (window == "frmLog1")
        shown = windows.frmLog1().show();
    else if (window == "Form2")
        shown = windows.form2().show();
    else if (window == "frmSplash")
        shown = windows.frmSplash().show();
    else
        shown = windows.frmTip().show();
    QVERIFY(shown);
    // The clock texts at their widest, in place of the running times.
    for (const char* clock : {"Label2", "Label4", "Label6", "Label7", "Label8"}) {
        if (auto* label = shown->findChild<QLabel*>(QLatin1String(clock)))
            label->setText(QStringLiteral("00:00:00 "));
    }

    const auto check = [&](const QWidget* widget, const QString& text, int room, QColor fore,
                           QColor back) {
        const int needed = widget->fontMetrics().horizontalAdvance(text);
        QVERIFY2(needed <= room, qPrintable(QStringLiteral("%1 \"%2\" needs %3 px, has %4")
                                                .arg(widget->objectName(), text)
                                                .arg(needed)
                                                .arg(room)));
        QVERIFY2(contrast(fore, back) >= 4.5,
                 qPrintable(QStringLiteral("%1 \"%2\": %3 on %4 is %5:1")
                                .arg(widget->objectName(), text, fore.name(), back.name())
                                .arg(contrast(fore, back), 0, 'f', 1)));
    };
    const auto group = [](const QWidget* widget) {
        return widget->isEnabled() ? QPalette::Active : QPalette::Disabled;
    };

    for (const QLabel* label : shown->findChildren<QLabel*>()) {
        if (label->text().isEmpty() || label->wordWrap() || !label->pixmap().isNull())
            continue;
        const QPalette& palette = label->palette();
        // A label without a background of its own shows its parent's.
        const QWidget* under = label->autoFillBackground() ? label : label->parentWidget();
        check(label, plain(label->text()), label->contentsRect().width(),
              palette.color(group(label), label->foregroundRole()),
              under->palette().color(QPalette::Window));
    }
    for (const QAbstractButton* button : shown->findChildren<QAbstractButton*>()) {
        if (button->text().isEmpty())
            continue;
        const QPalette& palette = button->palette();
        check(button, plain(button->text()), button->width() - 4,
              palette.color(group(button), QPalette::ButtonText),
              palette.color(group(button), QPalette::Button));
    }
    for (QLineEdit* box : shown->findChildren<QLineEdit*>()) {
        if (!box->isVisible() || box->text().isEmpty())
            continue;
        const QPalette& palette = box->palette();
        check(box, box->text(), box->width() - 4, palette.color(group(box), QPalette::Text),
              palette.color(group(box), QPalette::Base));
    }
    for (const QComboBox* list : shown->findChildren<QComboBox*>()) {
        QStyleOptionComboBox option;
        option.initFrom(list);
        const int room =
            list->style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, list)
                .width();
        for (int i = 0; i < list->count(); ++i)
            check(list, list->itemText(i), room, list->palette().color(QPalette::Text),
                  list->palette().color(QPalette::Base));
    }
    for (const QHeaderView* header : shown->findChildren<QHeaderView*>()) {
        if (header->orientation() != Qt::Horizontal)
            continue;
        for (int i = 0; i < header->count(); ++i) {
            const QString text = header->model()->headerData(i, Qt::Horizontal).toString();
            check(header, text, header->sectionSize(i) - 6,
                  header->palette().color(QPalette::ButtonText),
                  header->palette().color(QPalette::Button));
        }
    }
}

QTEST_MAIN(TstDesignFit)
#include "tst_designfit.moc"
