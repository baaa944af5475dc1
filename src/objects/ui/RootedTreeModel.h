#pragma once

#include <QAbstractItemModel>
#include <QIcon>
#include <QList>

namespace kvt::registry {

// A tree of one root node with a flat list of children, as the object tree and the history
// tree are. Each node has a text, a data value (an object or packet code) and an image index
// into the shared image list (-1: no image). The "absolute index" counts the nodes in tree
// order: the root is 0, its children follow from 1.
class RootedTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    struct Node {
        QString text;
        qint64 data = 0;
        int imageIndex = -1;
    };

    enum Role { ImageIndexRole = Qt::UserRole + 1, NodeDataRole };

    explicit RootedTreeModel(QObject* parent = nullptr);

    // The images the image indexes point at; the main window draws them.
    void setImageList(QList<QIcon> images);

    QModelIndex rootIndex() const;
    const Node& root() const { return root_; }
    bool isRoot(const QModelIndex& index) const;
    void setRootText(const QString& text);
    void setRootImage(int imageIndex);

    int childCount() const { return int(children_.size()); }
    const Node& child(int row) const { return children_[row]; }
    QModelIndex childIndex(int row) const;
    Node node(const QModelIndex& index) const;

    void clearChildren();
    void setChildren(QList<Node> children);
    QModelIndex appendChild(const Node& node);
    void removeChild(int row);
    void setText(const QModelIndex& index, const QString& text);
    void setImage(const QModelIndex& index, int imageIndex);

    int nodeCount() const { return childCount() + 1; }
    int absoluteIndex(const QModelIndex& index) const;
    QModelIndex indexAtAbsolute(int absoluteIndex) const;
    // The first node in tree order, root included, whose text equals `text` (letter case
    // significant); invalid when none.
    QModelIndex findText(const QString& text) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

protected:
    void appendChildren(const QList<Node>& nodes);
    Node& nodeRef(const QModelIndex& index);

private:
    Node root_;
    QList<Node> children_;
    QList<QIcon> images_;
};

} // namespace kvt::registry
