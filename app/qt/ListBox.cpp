#include "app/qt/ListBox.h"

#include <QDragEnterEvent>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>

namespace tolvanw32 {

ListBox::ListBox(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragDropMode(QAbstractItemView::NoDragDrop);
    // Each row is measured on its own: as tall as its font needs (a fixed
    // height clips Japanese faces), and the longest name, wherever it
    // stands, sets how far the list scrolls sideways.
    setUniformItemSizes(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setFileDropTarget(false);
}

void ListBox::setFileDropTarget(bool on) {
    fileDrop_ = on;
    setAcceptDrops(on);
    viewport()->setAcceptDrops(on);
}

int ListBox::selectedIndex() const {
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.front().row();
}

bool ListBox::fileListP(const QMimeData* data) {
    if (!data || !data->hasUrls()) return false;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) return true;
    return false;
}

QStringList ListBox::localFiles(const QMimeData* data) {
    QStringList files;
    if (!data) return files;
    for (const QUrl& url : data->urls())
        if (url.isLocalFile()) files << url.toLocalFile();
    return files;
}

void ListBox::mouseDoubleClickEvent(QMouseEvent* event) {
    QListWidget::mouseDoubleClickEvent(event);
    emit listDoubleClicked();
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        emit enterPressed();
        return;
    }
    QListWidget::keyPressEvent(event);
}

void ListBox::dragEnterEvent(QDragEnterEvent* event) {
    if (fileDrop_ && fileListP(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ListBox::dragMoveEvent(QDragMoveEvent* event) {
    if (fileDrop_ && fileListP(event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
}

void ListBox::dropEvent(QDropEvent* event) {
    if (!fileDrop_ || !fileListP(event->mimeData())) {
        event->ignore();
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    emit filesDropped(localFiles(event->mimeData()));
}

} // namespace tolvanw32
