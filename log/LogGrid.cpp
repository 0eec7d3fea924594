#include "log/LogGrid.h"

#include "log/LogColumns.h"
#include "log/LogGridView.h"
#include "log/LogTableModel.h"
#include "platform/DesignLook.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

LogGrid::LogGrid(QWidget* parent)
    : QFrame(parent), m_caption(new QLabel(QStringLiteral("Tempora Log"), this)),
      m_view(new LogGridView(this)) {
    setObjectName(QStringLiteral("grdDataGrid"));
    const QString tip =
        QStringLiteral("Double click on \"Call\" for to copy \"Date\" and \"Time\"");
    setToolTip(tip);
    m_view->setToolTip(tip);

    const QFont headingFont = DesignLook::font(QStringLiteral("MS Sans Serif"), 8.25);
    const QFont cellFont = DesignLook::font(QStringLiteral("Arial"), 11.25, true);
    m_caption->setFont(headingFont);
    m_caption->setAlignment(Qt::AlignCenter);
    m_caption->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_caption->setAutoFillBackground(true);
    m_caption->setBackgroundRole(QPalette::Button);

    m_view->setFont(cellFont);
    m_view->horizontalHeader()->setFont(headingFont);
    m_view->verticalHeader()->setFont(headingFont);
    m_view->verticalHeader()->setDefaultSectionSize(QFontMetrics(cellFont).height() + 6);
    setFocusProxy(m_view);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_caption);
    layout->addWidget(m_view);
}

void LogGrid::setModel(LogTableModel* model) {
    m_view->setLogModel(model);
    // The design widths, widened where the fonts in use need more for the caption or a value
    // that must be read whole.
    const QFontMetrics cells(m_view->font());
    const int margins =
        2 * (m_view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, m_view) + 1) + 2;
    for (int column = 0; column < LogColumns::kCount; ++column) {
        const QString value = model->fullValue(column);
        m_view->setColumnWidth(
            column, std::max({DesignLook::pixels(LogColumns::at(column).widthTwips),
                              m_view->horizontalHeader()->sectionSizeHint(column),
                              value.isEmpty() ? 0 : cells.horizontalAdvance(value) + margins}));
    }
}
