#include "controls/CodeList.h"

#include <QHeaderView>
#include <QTreeWidget>

QTreeWidget* createCodeList(QWidget* parent, const char* name, const QString& nameHeading, int codeWidth)
{
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setColumnCount(2);
    list->setHeaderLabels({QStringLiteral("Код"), nameHeading});
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->header()->setSectionsMovable(false);
    list->header()->setStretchLastSection(true);
    list->setColumnWidth(0, codeWidth);
    return list;
}
