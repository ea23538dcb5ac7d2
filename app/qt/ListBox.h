#pragma once

#include <QListWidget>
#include <QStringList>

class QMimeData;

namespace tolvanw32 {

// A single-selection list of file names that scrolls sideways to show long
// names whole, its rows as tall as their font needs. It reports
// double clicks anywhere in it, the Enter key, and, when it is a drop
// target, the local files dropped on it.
class ListBox : public QListWidget {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    // Whether dropped files are taken; off by default.
    void setFileDropTarget(bool on);
    bool fileDropTargetP() const { return fileDrop_; }

    // The 0-based selected position, -1 when none.
    int selectedIndex() const;

    // Whether the data carries at least one local file.
    static bool fileListP(const QMimeData* data);
    // The local files of the data, in its order.
    static QStringList localFiles(const QMimeData* data);

signals:
    void listDoubleClicked();
    void enterPressed();
    void filesDropped(const QStringList& paths);

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    bool fileDrop_ = false;
};

} // namespace tolvanw32
