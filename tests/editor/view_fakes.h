// Stand-ins for the document and the Analysis panel a view talks to.
#ifndef QUORVEL_TESTS_EDITOR_VIEW_FAKES_H
#define QUORVEL_TESTS_EDITOR_VIEW_FAKES_H

#include <QList>
#include <QPair>
#include <QString>

#include "editor/view_interfaces.h"
#include "support/qt_printers.h"

class FakeDocument : public ViewDocument {
public:
    void SetModifiedFlag(bool modified) override { modified_ = modified; }
    QString Title() const override { return title_; }
    void SetTitle(const QString& title) override {
        title_ = title;
        ++titleSets_;
    }
    bool modified_ = false;
    int titleSets_ = 0;
    QString title_ = QStringLiteral("TLV1");
};

class FakeAnalysis : public AnalysisTarget {
public:
    void ShowAnalysis(uint8_t kind, const TlvNode* node) override { calls_.append({kind, node}); }
    void UpdateAnalysis(const QWidget*, uint8_t kind, const TlvNode* node) override {
        updates_.append({kind, node});
    }
    QList<QPair<uint8_t, const TlvNode*>> calls_;
    QList<QPair<uint8_t, const TlvNode*>> updates_;
};

#endif
