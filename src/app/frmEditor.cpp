#include "frmEditor.h"

#include <QColorDialog>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <functional>

#include "AppShell.h"
#include "CelList.h"
#include "ChattleError.h"
#include "Dialogs.h"
#include "ErrorHook.h"
#include "NickNameRules.h"
#include "PaintBox.h"
#include "PasswordEcho.h"
#include "PersonaInst.h"
#include "PersonaSpace.h"
#include "frmSelectColor.h"

namespace {
// The character's colour slots the editor sets.
enum TColorSlot { csSkin = 0, csHair, csFacialHair, csShirt, csPants, csDress, csShoes };

constexpr int PreviewFloorY = 66;
constexpr int NickNameLength = 20;
constexpr int PasswordLength = 10;
constexpr int EmailLength = 20;
constexpr int ShortestEmail = 7;
constexpr int EmailField = 4;
constexpr int FirstFlagField = 19;
constexpr int LastFlagField = 23;

const QString ExampleAddress = QStringLiteral("pat@example.com");

// Where each kind's variant letter stands in the part code.
int CodePosition(TPartKind Kind)
{
    switch (Kind) {
    case pkBody: return 0;
    case pkFace: return 1;
    case pkFacialHair: return 2;
    case pkHair: return 3;
    case pkAccessory: return 4;
    case pkHat: return 5;
    }
    return 0;
}

struct TRowButton {
    QToolButton *&Button;
    int Tag;
    const char *Name;
    QString Caption;
    int Width;
};

// Buttons 24 pixels high side by side from At, which never take the focus; Made finishes each one.
void MakeButtonRow(std::initializer_list<TRowButton> Buttons, QPoint At, QWidget *Parent,
                   const std::function<void(QToolButton *, int)> &Made)
{
    for (const TRowButton &entry : Buttons) {
        entry.Button = new QToolButton(Parent);
        entry.Button->setObjectName(QLatin1String(entry.Name));
        entry.Button->setText(entry.Caption);
        entry.Button->setGeometry(At.x(), At.y(), entry.Width, 24);
        entry.Button->setFocusPolicy(Qt::NoFocus);
        Made(entry.Button, entry.Tag);
        At.rx() += entry.Width + 2;
    }
}

QLabel *MakeLabel(const QString &Text, const QRect &Place, QWidget *Parent)
{
    auto *label = new QLabel(Text, Parent);
    label->setGeometry(Place);
    return label;
}

QLineEdit *MakeEdit(const char *Name, int MaxLength, const QRect &Place, QWidget *Parent)
{
    auto *edit = new QLineEdit(Parent);
    edit->setObjectName(QLatin1String(Name));
    edit->setMaxLength(MaxLength);
    edit->setGeometry(Place);
    return edit;
}

// A box filled from a saved character keeps the whole text, even one longer than the box would take
// from the keyboard, so that saving again loses nothing.
void FillEdit(QLineEdit *Edit, int MaxLength, const QString &Text)
{
    Edit->setMaxLength(std::max<int>(MaxLength, int(Text.size())));
    Edit->setText(Text);
}
} // namespace

TfrmEditor::TfrmEditor(TAppShell *Shell, QWidget *Parent) : QDialog(Parent), FShell(Shell)
{
    setObjectName(QStringLiteral("frmEditor"));
    setWindowTitle(QStringLiteral("Pagewalker Editor"));
    setFixedSize(513, 452);

    timeRender = new QTimer(this);
    timeRender->setObjectName(QStringLiteral("timeRender"));
    timeRender->setInterval(RenderInterval);
    connect(timeRender, &QTimer::timeout, this, [this] { RunGuarded([this] { timeRenderTimer(); }); });

    BuildUpperPanel();
    BuildLowerPanel();

    dlgColors = new QColorDialog(this);
    dlgColors->setObjectName(QStringLiteral("dlgColors"));
    FLastSystemColor = dlgColors->currentColor();
}

TfrmEditor::~TfrmEditor() = default;

void TfrmEditor::BuildUpperPanel()
{
    pnlTop = new QFrame(this);
    pnlTop->setObjectName(QStringLiteral("pnlTop"));
    pnlTop->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnlTop->setGeometry(0, 0, 513, 302);

    QLabel *title = MakeLabel(QStringLiteral("Select Body Parts:"), QRect(11, 6, 200, 18), pnlTop);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);

    MakeButtonRow(
        {
            {btnBody, pkBody, "btnBody", QStringLiteral("Bodies"), 76},
            {btnHair, pkHair, "btnHair", QStringLiteral("Hair"), 76},
            {btnFace, pkFace, "btnFace", QStringLiteral("Faces"), 76},
            {btnFacialHair, pkFacialHair, "btnFacialHair", QStringLiteral("Facial Hair"), 90},
            {btnAccessory, pkAccessory, "btnAccessory", QStringLiteral("Acc"), 60},
            {btnHat, pkHat, "btnHat", QStringLiteral("Hat"), 60},
        },
        QPoint(11, 26), pnlTop, [this](QToolButton *button, int kind) {
            button->setToolTip(button->text());
            button->setCheckable(true);
            button->setAutoExclusive(true);
            FCategoryButtons[std::size_t(kind)] = button;
            connect(button, &QToolButton::clicked, this, [this] { RunGuarded([this] { btnBodyClick(); }); });
        });
    btnBody->setChecked(true);
    btnAccessory->hide();
    btnHat->hide();

    pnlCelList = new QWidget(pnlTop);
    pnlCelList->setObjectName(QStringLiteral("pnlCelList"));
    pnlCelList->setGeometry(11, 54, 490, 87);
    celList = new TMxCelList(pnlCelList);
    celList->setObjectName(QStringLiteral("celList"));
    celList->setGeometry(0, 0, 490, 87);
    celList->NotifyTarget = [this] { celListSelect(); };

    MakeLabel(QStringLiteral("Colors:"), QRect(11, 150, 50, 20), pnlTop)->setFont(bold);
    MakeButtonRow(
        {
            {btnSkinColor, csSkin, "btnSkinColor", QStringLiteral("Skin"), 54},
            {SpeedButton2, csHair, "SpeedButton2", QStringLiteral("Hair"), 54},
            {SpeedButton9, csFacialHair, "SpeedButton9", QStringLiteral("Facial Hair"), 78},
            {SpeedButton3, csShirt, "SpeedButton3", QStringLiteral("Shirt"), 54},
            {SpeedButton4, csPants, "SpeedButton4", QStringLiteral("Pants"), 54},
            {SpeedButton5, csDress, "SpeedButton5", QStringLiteral("Dress"), 54},
            {SpeedButton6, csShoes, "SpeedButton6", QStringLiteral("Shoes"), 54},
        },
        QPoint(66, 148), pnlTop, [this](QToolButton *button, int slot) {
            connect(button, &QToolButton::clicked, this,
                    [this, slot] { RunGuarded([this, slot] { ColorButtonClick(slot); }); });
        });

    pnlSpace = new QWidget(pnlTop);
    pnlSpace->setObjectName(QStringLiteral("pnlSpace"));
    pnlSpace->setGeometry(69, 180, 375, 113);
    wsSpace = new TPersonaSpace(pnlSpace);
    wsSpace->setObjectName(QStringLiteral("wsSpace"));
    wsSpace->setGeometry(0, 0, 375, 113);
    wsSpace->FloorY = PreviewFloorY;
    wsSpace->CelList = celList;
}

void TfrmEditor::BuildLowerPanel()
{
    pnlBottom = new QFrame(this);
    pnlBottom->setObjectName(QStringLiteral("pnlBottom"));
    pnlBottom->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnlBottom->setGeometry(0, 302, 513, 150);

    MakeLabel(QStringLiteral("Nick Name"), QRect(12, 8, 160, 18), pnlBottom);
    txtNickName = MakeEdit("txtNickName", NickNameLength, QRect(12, 26, 160, 24), pnlBottom);
    MakeLabel(QStringLiteral("Password"), QRect(184, 8, 110, 18), pnlBottom);
    txtPassword = MakeEdit("txtPassword", PasswordLength, QRect(184, 26, 110, 24), pnlBottom);
    ShowPasswordAsStars(txtPassword);
    MakeLabel(QStringLiteral("Email"), QRect(12, 62, 160, 18), pnlBottom);
    txtEmail = MakeEdit("txtEmail", EmailLength, QRect(12, 80, 160, 24), pnlBottom);

    QLabel *passwordNote = MakeLabel(
        QStringLiteral("Note:  A Password is not required, and will only be used if you have previously set a "
                       "password on an IRC Server"),
        QRect(306, 6, 198, 58), pnlBottom);
    QLabel *emailNote = MakeLabel(QStringLiteral("Your email address will ONLY be used to notify you of new Chattle "
                                                 "upgrades and special animated events."),
                                  QRect(184, 66, 318, 38), pnlBottom);
    for (QLabel *note : {passwordNote, emailNote}) {
        note->setWordWrap(true);
        note->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QFont small = note->font();
        small.setPointSizeF(small.pointSizeF() - 1);
        note->setFont(small);
    }

    btnCreate = new QPushButton(QStringLiteral("&Create"), pnlBottom);
    btnCreate->setObjectName(QStringLiteral("btnCreate"));
    btnCreate->setGeometry(324, 114, 86, 28);
    btnCreate->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Cancel"), pnlBottom);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(416, 114, 86, 28);
    connect(btnCreate, &QPushButton::clicked, this, [this] { RunGuarded([this] { btnCreateClick(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(txtNickName, txtPassword);
    setTabOrder(txtPassword, txtEmail);
    setTabOrder(txtEmail, btnCreate);
    setTabOrder(btnCreate, BitBtn2);
}

TPersonaInst *TfrmEditor::Character() const { return wsSpace->Own(); }

void TfrmEditor::SetLibrary(TPersonaLib *Library)
{
    FLibrary = Library;
    auto character = std::make_unique<TPersonaInst>(Library);
    character->SetPosition(NewX, NewY);
    SetCharacter(std::move(character));
}

void TfrmEditor::LoadBackground(const QString &Path) { wsSpace->LoadBackground(Path); }

void TfrmEditor::PrepareNew()
{
    btnCreate->setText(QStringLiteral("&Create"));
    txtNickName->setEnabled(true);
    FillEdit(txtNickName, NickNameLength, QString());
    FillEdit(txtPassword, PasswordLength, QString());
    FillEdit(txtEmail, EmailLength, QString());
}

void TfrmEditor::PrepareEdit(const TPersonaInst &Source)
{
    auto character = TPersonaInst::CreateCopy(Source);
    character->SetPosition(EditX, EditY);
    SetCharacter(std::move(character));
    btnCreate->setText(QStringLiteral("&Update"));
    txtNickName->setEnabled(false);
    FillEdit(txtNickName, NickNameLength, Source.Name);
    FillEdit(txtPassword, PasswordLength, Source.Password);
    FillEdit(txtEmail, EmailLength, Source.Info[EmailField - 1]);
}

void TfrmEditor::SetCharacter(std::unique_ptr<TPersonaInst> Character)
{
    wsSpace->SetOwn(std::move(Character));
    SelectCharacterParts();
    RepaintPreview();
    if (isVisible())
        btnBodyClick(); // the strip's range follows the new character's body group
}

// The library's selections follow the character, so that picking one part keeps the others it wears
// (the library would otherwise remember the previous editor's picks).
void TfrmEditor::SelectCharacterParts()
{
    if (!FLibrary || !Character())
        return;
    for (int kind = 0; kind < PartKindCount; ++kind)
        if (FLibrary->Catalogue[kind])
            FLibrary->Catalogue[kind]->CurrentIndex = CodeIndex(TPartKind(kind));
    FFirstGroup = CodeIndex(pkBody) < FLibrary->GroupStart[pkBody];
    btnFacialHair->setVisible(FFirstGroup);
}

int TfrmEditor::CodeIndex(TPartKind Kind) const
{
    return Character()->PartCode.at(CodePosition(Kind)).unicode() - 'A';
}

TPartKind TfrmEditor::CheckedKind() const
{
    for (int kind = 0; kind < PartKindCount; ++kind)
        if (FCategoryButtons[kind]->isChecked())
            return TPartKind(kind);
    return pkBody;
}

void TfrmEditor::btnBodyClick()
{
    if (!FLibrary || !Character())
        return;
    const TPartKind kind = CheckedKind();
    TMxSprite *catalogue = FLibrary->Catalogue[kind].get();
    celList->SetSprite(catalogue);
    if (kind == pkBody) {
        celList->FirstIndex = 0;
        celList->GroupEnd = catalogue ? catalogue->CelCount() : 0;
    } else {
        celList->GroupEnd = FLibrary->GroupStart[kind];
        celList->FirstIndex = FFirstGroup ? 0 : FLibrary->GroupStart[kind];
    }
    celList->SetSelected(CodeIndex(kind));
    if (kind == pkBody)
        FFirstGroup = celList->Selected() < FLibrary->GroupStart[pkBody];
    celList->PaintBox()->update();
}

void TfrmEditor::celListSelect()
{
    if (!FLibrary || !Character())
        return;
    if (btnBody->isChecked()) {
        const bool firstGroup = celList->Selected() < FLibrary->GroupStart[pkBody];
        for (TPartKind kind : {pkHair, pkFace, pkFacialHair, pkAccessory, pkHat})
            if (FLibrary->Catalogue[kind])
                FLibrary->Catalogue[kind]->CurrentIndex = firstGroup ? 0 : FLibrary->GroupStart[kind];
        btnFacialHair->setVisible(firstGroup);
    }
    const QString code = FLibrary->GetPartCode();
    if (code == Character()->PartCode)
        return;
    Character()->SetPartCode(code);
    RepaintPreview();
    FFirstGroup = CodeIndex(pkBody) < FLibrary->GroupStart[pkBody];
}

void TfrmEditor::RepaintPreview()
{
    wsSpace->FullRedraw = true;
    wsSpace->Tick();
}

void TfrmEditor::timeRenderTimer()
{
    if (Character())
        wsSpace->Tick();
}

void TfrmEditor::ColorButtonClick(int Slot)
{
    if (!Character())
        return;
    TPixel color = 0;
    const bool chosen = Slot <= csFacialHair ? PickGradientColor(Slot, color) : PickSystemColor(color);
    if (chosen)
        ApplyColor(Slot, color);
}

bool TfrmEditor::PickGradientColor(int Slot, TPixel &Color)
{
    TfrmSelectColor dialog(this);
    dialog.Clear();
    if (Slot == csSkin) {
        dialog.AddGradient(0xFFCC99, 0xB88552); // light peach to mid brown
    } else {
        dialog.AddGradient(0xFFFF00, 0x996600); // yellow to brown
        dialog.AddGradient(0x996600, 0x330000); // brown to dark brown
        dialog.AddGradient(0xFF0000, 0x990000); // red to dark red
        dialog.AddGradient(0xCCCCCC, 0x000000); // light grey to black
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    Color = dialog.CurrentColor();
    return true;
}

// The system dialog starts from the colour last chosen in it, not from the character's colour.
bool TfrmEditor::PickSystemColor(TPixel &Color)
{
    dlgColors->setCurrentColor(FLastSystemColor);
    if (dlgColors->exec() != QDialog::Accepted)
        return false;
    FLastSystemColor = dlgColors->selectedColor();
    Color = FLastSystemColor.rgb() & 0xFFFFFF;
    return true;
}

void TfrmEditor::ApplyColor(int Slot, TPixel Color)
{
    TPersonaInst *character = Character();
    character->Colours[std::size_t(Slot)] = Color;
    character->ChangeAppearance(character->GetAppearance());
    RepaintPreview();
}

bool TfrmEditor::ValidateInput()
{
    txtNickName->setText(txtNickName->text().trimmed());
    const QString nickFault = NickNameFault(txtNickName->text());
    if (!nickFault.isEmpty()) {
        ShowMessage(this, nickFault);
        return false;
    }
    const QString email = txtEmail->text();
    if (email.size() < ShortestEmail) {
        ShowMessage(this, QStringLiteral("Email Address is too short!"));
        txtEmail->setFocus();
        return false;
    }
    // Only that neither "@" nor "." comes first; the "." may stand before the "@".
    if (email.indexOf(QLatin1Char('@')) < 1 || email.indexOf(QLatin1Char('.')) < 1) {
        ShowMessage(this, QStringLiteral("Please enter a valid email address.  For example: ") + ExampleAddress);
        txtEmail->setFocus();
        return false;
    }
    return true;
}

void TfrmEditor::btnCreateClick()
{
    if (!Character() || !ValidateInput())
        return;
    const QString nick = txtNickName->text();
    const QString path = ProfilesDir + QLatin1Char('/') + nick + QStringLiteral(".pr1");
    // Creating a character of a name already saved would replace that character without a word.
    if (txtNickName->isEnabled() && QFile::exists(path)
        && Confirm(this, QStringLiteral("There is already a character named %1.  Do you want to replace it?")
                             .arg(nick)) != TDialogButton::Yes)
        return;

    TPersonaInst *character = Character();
    character->Info[EmailField - 1] = txtEmail->text();
    for (int field = FirstFlagField; field <= LastFlagField; ++field)
        character->Info[std::size_t(field - 1)] = QStringLiteral("N");
    character->Password = txtPassword->text();
    if (!SaveCharacter(path))
        return;
    if (FShell)
        FShell->ReportEmailAddress(txtEmail->text());
    accept();
}

// The profile is written beside the old one and renamed over it, so a failure leaves the old one whole.
bool TfrmEditor::SaveCharacter(const QString &Path)
{
    QDir().mkpath(ProfilesDir);
    try {
        Character()->SaveToFile(Path);
        return true;
    } catch (const EFileError &) {
        ShowError(this, QStringLiteral("The character could not be saved in the folder %1.  Please check that "
                                       "the folder can be written to and that the disk is not full.")
                            .arg(QDir::toNativeSeparators(ProfilesDir)));
        return false;
    }
}

void TfrmEditor::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (FLibrary) {
        btnBody->setChecked(true);
        RunGuarded([this] { btnBodyClick(); });
    }
}

void TfrmEditor::hideEvent(QHideEvent *event)
{
    timeRender->stop();
    QDialog::hideEvent(event);
}

// The preview runs only while the editor is the active window.
void TfrmEditor::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() != QEvent::ActivationChange)
        return;
    if (isActiveWindow()) {
        celList->NotifyTarget = [this] { celListSelect(); };
        timeRender->start();
    } else {
        timeRender->stop();
    }
}

bool RunCharacterEditor(TAppShell *Shell, TPersonaLib *Library, const QString &ArtworkDir,
                        const QString &ProfilesDir, TPersonaInst *Existing)
{
    if (!Library)
        return false;
    TfrmEditor editor(Shell);
    editor.SetLibrary(Library);
    editor.ProfilesDir = ProfilesDir;
    try {
        editor.LoadBackground(ArtworkDir + QStringLiteral("/editor.jpg"));
    } catch (const EFileError &) {
        // A missing or broken picture leaves the preview plain; the editor still works.
    }
    if (Existing)
        editor.PrepareEdit(*Existing);
    else
        editor.PrepareNew();
    return editor.exec() == QDialog::Accepted;
}
