// The main window's menu bar in full screen: hidden, so that the picture has
// the whole screen, and shown over the picture again by Alt alone, F10, the
// pad's Back or the pointer at the screen's top edge; it hides once its menus
// have closed and the pointer is off it. Out of full screen the bar stays.
// The menu keys are shortcuts of their own and work either way.
#pragma once

#include <QObject>

class QMainWindow;
class QMenuBar;

namespace sk {

class MenuBarReveal : public QObject {
    Q_OBJECT
public:
    explicit MenuBarReveal(QMainWindow* window);

    void SetFullScreen(bool full);
    bool BarHidden() const;
    // Shows the bar where it is hidden and pulls down its first menu.
    void OpenMenus();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QMenuBar* Bar() const;
    bool InWindow(QObject* watched) const;
    void WatchAlt(QEvent* event, QObject* watched);
    void WatchPointer(QEvent* event, QObject* watched);
    void HideUnlessInUse();

    QMainWindow* window_;
    bool full_ = false;
    bool altAlone_ = false;
};

}  // namespace sk
