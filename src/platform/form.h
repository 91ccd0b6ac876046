#pragma once

#include <QWidget>

namespace app {

// The base of every window: the integer Tag that windows hand each other, key preview (the window
// sees every key as a virtual-key code before its controls, without consuming it), the frame,
// on-top and centring by the outer frame, the keyboard focus on every show, and close = hide.
class Form : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE setTag)

public:
    enum class Frame {
        None,     // no border, no caption
        Single,   // single border, not resizable
        Sizeable, // resizable border
    };
    enum class Buttons {
        None,      // a title bar with no buttons
        CloseOnly, // only the close box
        All,       // system menu with minimise and maximise
    };

    explicit Form(QWidget* parent = nullptr);

    int Tag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }

    bool keyPreview() const { return keyPreview_; }
    void setKeyPreview(bool on) { keyPreview_ = on; }

    // Called by the application for every key pressed while this window or one of its controls
    // has the focus, before the control; vk is 0 for keys without a virtual-key code.
    void previewKey(int vk);

protected:
    // Sets frame, title-bar buttons and on-top; the client size comes from the .ui file. A window
    // without a frame shows no caption, so its title, which only the taskbar shows, becomes the
    // application title.
    void setFrame(Frame frame, Buttons buttons, bool onTop);
    // For a window whose size is given with its frame, as the window system reports it.
    void setOuterSize(int width, int height);

    virtual void FormKeyDown(int vk);
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;

private:
    // Centres the window by its outer frame: the given frame margins round the client area.
    void centre(const QMargins& frame);

    int tag_ = 0;
    bool keyPreview_ = false;
    Frame frame_ = Frame::None;
    Buttons buttons_ = Buttons::All;
    bool centred_ = false;
    // Centred before the window manager said how wide its frame is: centred again once it is known.
    bool recentre_ = false;
};

} // namespace app
