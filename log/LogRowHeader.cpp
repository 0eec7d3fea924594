#include "log/LogRowHeader.h"

LogRowHeader::LogRowHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
    setSectionsClickable(true);
    setHighlightSections(true);
}

QSize LogRowHeader::sizeHint() const {
    QSize hint(0, 0);
    const int sections = count();
    for (const int section : {0, sections - 2, sections - 1}) {
        if (section >= 0 && !isSectionHidden(section))
            hint = hint.expandedTo(sectionSizeFromContents(section));
    }
    return hint;
}
