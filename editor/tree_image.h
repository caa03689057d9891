// A tree of nodes as bytes, node for node: what an undo step keeps of the tree before and after
// it. The encoding alone would not do: padding nodes without bytes vanish from it and adjacent
// paddings run together, so the tree read back could have other rows than the one edited.
#ifndef QUORVEL_EDITOR_TREE_IMAGE_H
#define QUORVEL_EDITOR_TREE_IMAGE_H

#include <QByteArray>

#include "core/tlv.h"

// Every field of every node below and including `root`; empty for no tree.
QByteArray TreeImage(const TlvNode* root);
// A new tree with the nodes the image recorded, the caller's to free; null for an empty image,
// and also for one that is damaged or when memory runs out (`*ok` then false).
TlvNode* TreeFromImage(const QByteArray& image, bool* ok);

#endif
