#include "panels/dictionary_bar.h"

#include <QTreeWidget>

CDictionaryBar::CDictionaryBar(QWidget* parent)
    : QDockWidget(QStringLiteral("Data Elements"), parent), tree_(new QTreeWidget(this)) {
    tree_->setHeaderHidden(true);
    setWidget(tree_);
}
