#pragma once
// TfrmEditor: the character editor. The user picks a body, hair, face and facial hair from strips of
// thumbnails, chooses the colours, enters nickname, password and e-mail address, and saves the character
// as a profile file; a live preview shows the character on the editor's background picture.
// TfrmSelectColor (frmSelectColor.h) is its colour picker for skin and hair.
#include <QDialog>
#include <QString>
#include <array>
#include <memory>

#include "Bitmap.h"
#include "PersonaLib.h"

class QColorDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class QToolButton;
class TAppShell;
class TMxCelList;
class TPersonaInst;
class TPersonaSpace;

class TfrmEditor : public QDialog {
    Q_OBJECT
public:
    // Where a character stands in the preview: new, and edited.
    static constexpr int NewX = 150, NewY = 44;
    static constexpr int EditX = 150, EditY = 50;
    static constexpr int RenderInterval = 75; // ms

    // Shell takes the e-mail report of a saved character (may be null).
    explicit TfrmEditor(TAppShell *Shell, QWidget *Parent = nullptr);
    ~TfrmEditor() override;

    // The part library; starts a new character of the default appearance.
    void SetLibrary(TPersonaLib *Library);
    // The folder the profile is saved in.
    QString ProfilesDir;
    // The preview's background picture (JPEG); throws EFileError and keeps the old one when it fails.
    void LoadBackground(const QString &Path);
    // A new character: "&Create", all boxes empty, the nickname open.
    void PrepareNew();
    // A copy of Character to change: "&Update", the boxes filled, the nickname fixed.
    void PrepareEdit(const TPersonaInst &Character);

    // The character being edited (the preview's own character); null before SetLibrary.
    TPersonaInst *Character() const;
    // Whether the character's body is one of the first group, worn with the first groups of the other
    // kinds (and the only one that offers facial hair).
    bool FirstGroup() const { return FFirstGroup; }

    // The category switch, bound to every category button: shows the kinds' variants in the strip.
    void btnBodyClick();
    // The strip's notice that the user picked another part.
    void celListSelect();
    // A colour button: the gradient picker for skin, hair and facial hair, the system dialog otherwise.
    void ColorButtonClick(int Slot);
    // Checks the input, saves the profile, reports the e-mail address and closes with Accepted.
    void btnCreateClick();
    // One step of the preview (the 75 ms timer, running only while the editor is the active window).
    void timeRenderTimer();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void BuildUpperPanel();
    void BuildLowerPanel();
    void SetCharacter(std::unique_ptr<TPersonaInst> Character);
    void SelectCharacterParts();
    TPartKind CheckedKind() const;
    int CodeIndex(TPartKind Kind) const;
    void ApplyColor(int Slot, TPixel Color);
    void RepaintPreview();
    bool PickGradientColor(int Slot, TPixel &Color);
    bool PickSystemColor(TPixel &Color);
    bool ValidateInput();
    bool SaveCharacter(const QString &Path);

    TAppShell *FShell;
    TPersonaLib *FLibrary = nullptr;
    bool FFirstGroup = true;
    QColor FLastSystemColor;

    QFrame *pnlTop;
    QFrame *pnlBottom;
    std::array<QToolButton *, PartKindCount> FCategoryButtons{};
    QToolButton *btnBody;
    QToolButton *btnHair;
    QToolButton *btnFace;
    QToolButton *btnFacialHair;
    QToolButton *btnAccessory;
    QToolButton *btnHat;
    QWidget *pnlCelList;
    TMxCelList *celList;
    QToolButton *btnSkinColor;
    QToolButton *SpeedButton2; // hair
    QToolButton *SpeedButton9; // facial hair
    QToolButton *SpeedButton3; // shirt
    QToolButton *SpeedButton4; // pants
    QToolButton *SpeedButton5; // dress
    QToolButton *SpeedButton6; // shoes
    QWidget *pnlSpace;
    TPersonaSpace *wsSpace;
    QLineEdit *txtNickName;
    QLineEdit *txtPassword;
    QLineEdit *txtEmail;
    QPushButton *btnCreate;
    QPushButton *BitBtn2;
    QTimer *timeRender;
    QColorDialog *dlgColors;
};

// The login window's way into the editor: creates it, gives it the library, the profiles folder and the
// background from ArtworkDir, prepares a new character (or a copy of Existing when it is not null), shows
// it modally and frees it. True when a character was saved.
bool RunCharacterEditor(TAppShell *Shell, TPersonaLib *Library, const QString &ArtworkDir,
                        const QString &ProfilesDir, TPersonaInst *Existing);
