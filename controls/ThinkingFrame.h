#pragma once

#include <cstdint>
#include <memory>

#include <QFrame>

#include "model/Declaration.h"

// The main window's field that holds the open declaration. New and Open put another object into
// it, so pages keep the slot and reach the declaration through it at the moment of use.
using DeclarationSlot = std::unique_ptr<mTDeclaration>;

// The base of every input page. The main window shows one page at a time and drives it only
// through these operations: to leave a page it calls SaveData, then CheckData; a non-zero
// element code keeps the page and is handed back to FocusError. Before a command that reads the
// declaration (save, check, export, print) it calls refuseWrongTypedDates, then SaveData.
class TThinkingFrame : public QFrame {
    Q_OBJECT

public:
    // A derived page sets its captions and copies the model into its controls in its own
    // constructor, under a LoadingScope when its handlers must not act on that filling.
    TThinkingFrame(QWidget* owner, DeclarationSlot& declaration);
    ~TThinkingFrame() override;

    // Copies every control into the model.
    virtual void SaveData() = 0;
    // 0 when nothing needs fixing, else an element code of this page. Reads the model only:
    // the caller has called SaveData just before. Failing rules are shown in check dialogs.
    virtual std::uint16_t CheckData() = 0;
    // A date typed on the page that it cannot take (see TDtpPanel) is refused with a check naming
    // its field, and its element code is given for FocusError; 0 when there is none. Only the
    // dates: a command may save a declaration the page's other rules would not yet pass.
    virtual std::uint16_t refuseWrongTypedDates() { return 0; }
    // Puts the focus on the element the code names; on list pages the code is the 1-based row.
    // A code the page does not know does nothing.
    virtual void FocusError(std::uint16_t code) = 0;
    // Puts the keyboard focus into the page just shown, so that what the user types next lands
    // on it: by default on its first field in the tab order. A list page focuses its list and
    // selects its first row, so that the fields show that row at once.
    virtual void focusFirst();
    // Enables or disables the page's edit controls; pages nested in another page override it
    // where they need more.
    virtual void SetEditable(bool value);

protected:
    // Set while the page fills its own controls; its handlers then leave the model alone and
    // send no change notification.
    class LoadingScope {
    public:
        explicit LoadingScope(TThinkingFrame& page);
        ~LoadingScope();
        LoadingScope(const LoadingScope&) = delete;
        LoadingScope& operator=(const LoadingScope&) = delete;

    private:
        TThinkingFrame& page_;
        bool wasLoading_;
    };

    bool isLoading() const { return loading_; }

    // Reports an edit of the user's to the main window (WM_DECL_MODIFIED); nothing while loading.
    void declarationModified();

    DeclarationSlot& Declaration;

private:
    bool loading_ = false;
};
