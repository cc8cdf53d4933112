#include "PersonaSpace.h"

#include "ChattleError.h"
#include "CursorTable.h"
#include "PaintBox.h"
#include "PersonaInst.h"
#include "StrictNumber.h"

#include <QPainter>
#include <QRect>
#include <QResizeEvent>
#include <algorithm>

namespace {
constexpr long long KeyRowWeight = 1000;

QRect ToQRect(const TMxRect &rect)
{
    return QRect(QPoint(rect.Left, rect.Top), QPoint(rect.Right, rect.Bottom));
}
} // namespace

TPersonaSpace::TPersonaSpace(QWidget *parent) : TMxImage(parent) {}

TPersonaSpace::~TPersonaSpace()
{
    FDrawOrder.clear();
    FOwn.reset();
    while (!FInstances.empty())
        FInstances.pop_back();
}

void TPersonaSpace::SetOwn(std::unique_ptr<TPersonaInst> own)
{
    FDrawOrder.clear();
    FOwn = std::move(own);
    FullRedraw = true;
}

void TPersonaSpace::AddInstance(const QString &name, std::unique_ptr<TPersonaInst> character)
{
    if (character)
        FInstances.push_back({name, std::move(character)});
}

TPersonaInst *TPersonaSpace::FindInstance(const QString &name) const
{
    for (const TNamedPersona &entry : FInstances)
        if (entry.Persona->Name == name)
            return entry.Persona.get();
    return nullptr;
}

void TPersonaSpace::RemoveInstance(const QString &name)
{
    if (FOwn)
        FOwn->Step();
    const auto found = std::find_if(FInstances.begin(), FInstances.end(),
                                    [&](const TNamedPersona &entry) { return entry.Persona->Name == name; });
    if (found != FInstances.end()) {
        // The partner must not keep a reference to a character that is gone.
        found->Persona->EndInteraction();
        FDrawOrder.clear();
        FInstances.erase(found);
    }
    RedrawAll();
}

void TPersonaSpace::MoveInstance(const QString &name, const QString &positionText)
{
    FullRedraw = true;
    TPersonaInst *character = FindInstance(name);
    if (!character || character->Interacting)
        return;
    QString xField = positionText.mid(0, 4).trimmed();
    const qsizetype minus = xField.indexOf(QLatin1Char('-'));
    if (minus >= 0)
        xField = xField.mid(minus);
    const int x = StrictToInt(xField);
    const int y = StrictToInt(positionText.mid(4, 4).trimmed());
    character->WalkTo(x, y);
    character->SetDirection(positionText.mid(8, 2));
}

void TPersonaSpace::LoadBackground(const QString &path)
{
    FBackground.LoadFromJPEGFile(path);
    FullRedraw = true;
}

void TPersonaSpace::Tick()
{
    FDirtyRect = TMxRect();
    if (FOwn && FOwn->Step())
        FOwn->AddToRect(FDirtyRect);
    for (const TNamedPersona &entry : FInstances)
        if (entry.Persona->Step())
            entry.Persona->AddToRect(FDirtyRect);
    if (FullRedraw) {
        FDirtyRect = TMxRect{0, 0, RoomWidth, RoomHeight};
        FullRedraw = false;
    }
    Compose();
}

void TPersonaSpace::Compose()
{
    TMxBitmap *surface = SurfaceBitmap();
    if (!FOwn || !surface)
        return;
    FBackground.DrawRectTo(*surface, FDirtyRect);
    RebuildDrawOrder();
    for (const TDrawOrderEntry &entry : FDrawOrder) {
        TPersonaInst &character = *entry.Persona;
        character.Draw(*surface);
        if (ShowAllNames || FHoverName == character.Name) {
            character.DrawName(*surface->Canvas());
            character.AddToRect(FDirtyRect);
        }
    }
    PaintBox()->update(ToQRect(FDirtyRect));
}

// Ascending keys; a character goes before those already present with its key, so at equal keys the
// later one is drawn first (beneath), and Own, added last, lies beneath them all.
void TPersonaSpace::RebuildDrawOrder()
{
    FDrawOrder.clear();
    auto add = [this](TPersonaInst *character) {
        const TDrawOrderEntry entry{character->Y * KeyRowWeight + character->X, character};
        const auto at = std::lower_bound(
            FDrawOrder.begin(), FDrawOrder.end(), entry.Key,
            [](const TDrawOrderEntry &present, long long key) { return present.Key < key; });
        FDrawOrder.insert(at, entry);
    };
    for (const TNamedPersona &named : FInstances)
        add(named.Persona.get());
    add(FOwn.get());
}

void TPersonaSpace::RedrawAll()
{
    FDirtyRect = TMxRect{0, 0, RoomWidth, RoomHeight};
    Compose();
}

bool TPersonaSpace::WalksOnClick() const
{
    return !(ActionMode >= 1 && ActionMode <= 4) && ActionMode != 6 && ActionMode != 7;
}

void TPersonaSpace::Click(int x, int y)
{
    y = std::max(y, FloorY);
    x = std::max(x, MinX);
    if (WalksOnClick() && FOwn && !FOwn->Interacting)
        FOwn->WalkToPoint(x, y);
}

void TPersonaSpace::MouseMove(int x, int y)
{
    const QString oldHover = FHoverName;
    FHoverName.clear();
    for (const TNamedPersona &entry : FInstances) {
        if (entry.Persona->HitTest(x, y)) {
            FHoverName = entry.Persona->Name;
            break;
        }
    }
    if (FHoverName != oldHover)
        FullRedraw = true;

    int cursor = y < FloorY ? 0 : crWalk;
    if (!FHoverName.isEmpty()) {
        if (ActionMode >= 1 && ActionMode <= 4)
            cursor = crShake;
        else if (ActionMode == 6)
            cursor = crProfile;
        else if (ActionMode == 7)
            cursor = crPrivateChat;
    }
    PaintBox()->setCursor(cursor == 0 ? QCursor(Qt::ArrowCursor) : LookupCursor(cursor));
}

void TPersonaSpace::Paint(QPainter &target)
{
    if (SurfaceBitmap())
        SurfaceBitmap()->Draw(target);
}

void TPersonaSpace::PaintBoxMouseDown(int x, int y, Qt::MouseButton button)
{
    if (OnPaintBoxMouseDown)
        OnPaintBoxMouseDown(this, button, x, y);
    else
        Click(x, y);
}

void TPersonaSpace::PaintBoxMouseMove(int x, int y) { MouseMove(x, y); }

void TPersonaSpace::resizeEvent(QResizeEvent *event)
{
    TMxImage::resizeEvent(event);
    RedrawAll();
}
