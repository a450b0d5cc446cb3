#pragma once

#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <QWidget>

class QAction;
class QTimer;

// The program's flat speed button: glyph and caption, lit while the mouse is over it. Buttons
// with the same non-zero group index on one parent form a group in which at most one button is
// down (exactly one unless AllowAllUp). Tool bars, the section strip, tab strips and the add,
// edit and delete buttons of list pages are made of it.
// The button is a Tab stop, never taken by a mouse click (the list beside it keeps the focus);
// in a group only the button that is down is, and the arrow keys go to the previous or next
// enabled button of the group. Space and Enter click it; a focused button shows a focus frame.
class TFlashButton : public QWidget {
    Q_OBJECT

public:
    enum class DrawState { Up = 0, Disabled = 1, Pressed = 2, Exclusive = 3, MouseOver = 4 };
    enum class GlyphLayout { GlyphLeft, GlyphRight, GlyphTop, GlyphBottom };

    explicit TFlashButton(QWidget* parent = nullptr);

    // Fill when up; the palette's button colour until set.
    QColor fieldNormalColor() const;
    void setFieldNormalColor(const QColor& color);
    // Fill of an up button under the mouse.
    QColor fieldSelectedColor() const { return fieldSelectedColor_; }
    // Fill of a down button, without and with the mouse over it.
    QColor fieldActiveColor() const { return fieldActiveColor_; }
    QColor fieldActiveSelected() const { return fieldActiveSelected_; }
    // The 1-pixel frame of an up button under the mouse, and of a down button.
    QColor bevelSelectedColor() const { return bevelSelectedColor_; }
    QColor bevelActiveColor() const { return bevelActiveColor_; }

    // A linked action gives the button its caption, tool tip, enabled state and click, and its
    // icon as the glyph when the button has none.
    QAction* action() const { return action_; }
    void setAction(QAction* action);

    bool allowAllUp() const { return allowAllUp_; }
    void setAllowAllUp(bool value);
    // 0: a plain push button that never stays down.
    int groupIndex() const { return groupIndex_; }
    void setGroupIndex(int value);
    bool isDown() const { return down_; }
    // Ignored on a plain push button, and when releasing the down button of a group that does
    // not allow all up. Pressing a button down releases the one that was down in its group.
    void setDown(bool value);

    // An '&' marks the accelerator character.
    QString caption() const { return caption_; }
    void setCaption(const QString& caption);

    // numGlyphs() images side by side, for the states up, disabled, pressed, down and under the
    // mouse; a state without its own image shows the first one (greyed when disabled).
    QPixmap glyph() const { return glyph_; }
    void setGlyph(const QPixmap& glyph);
    int numGlyphs() const { return numGlyphs_; }
    void setNumGlyphs(int value); // 1..5, larger values taken as 5
    GlyphLayout glyphLayout() const { return glyphLayout_; }
    void setGlyphLayout(GlyphLayout value);
    // Pixels between the edge and the glyph; -1 centres glyph and caption together.
    int margin() const { return margin_; }
    void setMargin(int value); // values below -1 are ignored
    // Pixels between glyph and caption; -1 spreads them evenly.
    int spacing() const { return spacing_; }
    void setSpacing(int value);

    DrawState drawState() const { return state_; }
    bool isMouseInControl() const { return mouseInControl_; }

    // As a click of the user's: fires clicked() and triggers the linked action.
    void click();

signals:
    void clicked();
    void doubleClicked();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    bool isInside(const QPoint& pos) const;
    void press();
    void syncEnabledState();
    void setMouseInControl(bool inside);
    // Brings the hover state up to date with the cursor, or with a position of the mouse.
    void trackCursor();
    void trackHover(const QPoint& pos);
    // The buttons of this one's group on its parent, this one among them; none outside a group.
    QList<TFlashButton*> groupMembers() const;
    void releaseGroupSiblings();
    void updateGroupTabStops();
    // The enabled, visible buttons of the group in their order on the screen.
    QList<TFlashButton*> groupInScreenOrder() const;
    void updateFromAction();
    void updateAccelerator();
    QPixmap glyphImage(DrawState state) const;
    void paintContent(QPainter& painter, const QRect& area);

    QColor fieldNormalColor_;
    QColor fieldSelectedColor_;
    QColor fieldActiveColor_;
    QColor fieldActiveSelected_;
    QColor bevelSelectedColor_;
    QColor bevelActiveColor_;

    QPointer<QAction> action_;
    bool captionLinked_ = false;
    bool allowAllUp_ = false;
    int groupIndex_ = 0;
    bool down_ = false;
    QString caption_;
    QPixmap glyph_;
    int numGlyphs_ = 1;
    GlyphLayout glyphLayout_ = GlyphLayout::GlyphLeft;
    int margin_ = -1;
    int spacing_ = 4;

    DrawState state_ = DrawState::Up;
    bool mouseInControl_ = false;
    QTimer* hoverCheck_;
    bool dragging_ = false;
    int acceleratorId_ = 0;
};
