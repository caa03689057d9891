// What the view needs from the document it shows and from the main frame's Analysis panel.
// Both may be absent: a view works on its own, as in tests.
#ifndef QUORVEL_EDITOR_VIEW_INTERFACES_H
#define QUORVEL_EDITOR_VIEW_INTERFACES_H

#include <stdint.h>

#include <QString>

class QWidget;
struct TlvNode;

class ViewDocument {
public:
    virtual ~ViewDocument() = default;
    virtual void SetModifiedFlag(bool modified) = 0;
    // The view's undo steps reached its saved state or left it. A document of several views
    // stays modified while another view holds unsaved changes.
    virtual void ViewSavedStateChanged(bool saved) { SetModifiedFlag(!saved); }
    virtual QString Title() const = 0;
    // Setting the title again lets the document mark an unsaved change in it.
    virtual void SetTitle(const QString& title) = 0;
};

class AnalysisTarget {
public:
    virtual ~AnalysisTarget() = default;
    // Kind 1 padding, 2 primitive, 3 constructed; kind 0 with no node clears the panel.
    virtual void ShowAnalysis(uint8_t kind, const TlvNode* node) = 0;
    // Shows the element's current state without bringing the panel forward, provided `view`
    // is the view the panel follows.
    virtual void UpdateAnalysis(const QWidget* view, uint8_t kind, const TlvNode* node) = 0;
};

#endif
