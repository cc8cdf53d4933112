#include "PersonaProfiles.h"

#include "Canvas.h"
#include "ChattleError.h"
#include "ColourConversions.h"
#include "PaintBox.h"
#include "PersonaInst.h"

#include <QDir>
#include <QResizeEvent>

namespace {
constexpr int HoverLabelPointSize = 10;
constexpr std::uint32_t White = 0xFFFFFF;
// Red in the platform's colour form.
constexpr std::uint32_t LabelRed = 255;
} // namespace

TPersonaProfiles::TPersonaProfiles(QWidget *parent) : TMxImage(parent) {}

TPersonaProfiles::~TPersonaProfiles()
{
    SetDisplayedBitmap(nullptr);
    ClearCharacters();
}

void TPersonaProfiles::SetBGFileName(const QString &path)
{
    auto background = std::make_unique<TMxBitmap>(0, 0);
    background->LoadFromJPEGFile(path);
    FBackground = std::move(background);
    SetDisplayedBitmap(FBackground.get());
    Repaint();
}

void TPersonaProfiles::SetHiLiteName(const QString &path)
{
    auto highlight = std::make_unique<TMxBitmap>(0, 0);
    highlight->LoadFromBitmapFile(path);
    highlight->MakeTransparent();
    FHighlight = std::move(highlight);
    Repaint();
}

void TPersonaProfiles::ClearCharacters()
{
    while (!FCharacters.empty())
        FCharacters.pop_back();
}

void TPersonaProfiles::Refresh()
{
    ClearCharacters();
    FSelectedIndex = -1;
    if (OnSelectPersona)
        OnSelectPersona(this);
    const QDir dir(ProfilesDir);
    const QStringList entries = dir.entryList({QStringLiteral("*.pr1")},
                                              QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString &entry : entries) {
        std::unique_ptr<TPersonaInst> character;
        try {
            character = TPersonaInst::CreateFromFile(Library, dir.filePath(entry));
        } catch (const EChattleError &) {
            // One unreadable file must not hide the characters listed after it.
            continue;
        }
        const QString name = character->Name;
        FCharacters.push_back({name, std::move(character)});
        if (OnAddPersona)
            OnAddPersona(this, name);
    }
    Repaint();
}

TPersonaInst *TPersonaProfiles::Selected() const
{
    if (FSelectedIndex < 0 || FSelectedIndex >= Count())
        return nullptr;
    return FCharacters[static_cast<std::size_t>(FSelectedIndex)].Persona.get();
}

void TPersonaProfiles::SetSelectedIndex(int index)
{
    FSelectedIndex = index;
    Repaint();
}

void TPersonaProfiles::ClearHover()
{
    FHoverIndex = -1;
    Repaint();
}

void TPersonaProfiles::MouseMove(int x, int)
{
    const int index = x / CellWidth;
    FHoverIndex = (x < 0 || index >= Count()) ? -1 : index;
    Repaint();
}

void TPersonaProfiles::Click()
{
    if (FHoverIndex < 0)
        return;
    FSelectedIndex = FHoverIndex;
    Repaint();
    if (OnSelectPersona)
        OnSelectPersona(this);
}

void TPersonaProfiles::PaintBoxMouseDown(int, int, Qt::MouseButton) { Click(); }

void TPersonaProfiles::PaintBoxMouseMove(int x, int y) { MouseMove(x, y); }

void TPersonaProfiles::resizeEvent(QResizeEvent *event)
{
    TMxImage::resizeEvent(event);
    Repaint();
}

void TPersonaProfiles::Repaint()
{
    TMxBitmap *surface = SurfaceBitmap();
    if (surface && FBackground && FHighlight) {
        FBackground->DrawTo(*surface, 0, 0);
        int x = -3;
        for (int i = 0; i < Count(); ++i) {
            if (i == FSelectedIndex)
                FHighlight->DrawTo(*surface, x + 3, RowY - 24);
            FCharacters[static_cast<std::size_t>(i)].Persona->DrawCel(x, RowY, 0, *surface);
            x += CellWidth;
        }
        DrawHoverLabel(*surface->Canvas());
    }
    PaintBox()->update();
}

void TPersonaProfiles::DrawHoverLabel(TMxCanvas &canvas) const
{
    if (FHoverIndex < 0 || FHoverIndex >= Count())
        return;
    const QString &name = FCharacters[static_cast<std::size_t>(FHoverIndex)].Name;
    QFont font = canvas.Font();
    font.setBold(true);
    font.setPointSize(HoverLabelPointSize);
    canvas.SetFont(font);
    canvas.SetFontColor(QColor::fromRgb(White));
    const int width = canvas.TextWidth(name);
    const int tx = FHoverIndex * CellWidth + 32 - width / 2 - 4;
    canvas.SetBrushStyle(Qt::NoBrush);
    canvas.TextOut(tx, 0, name);
    canvas.SetFontColor(QColor::fromRgb(SwapRedBlue(LabelRed)));
    canvas.TextOut(tx + 1, 1, name);
    canvas.SetBrushStyle(Qt::SolidPattern);
}
