#pragma once
// TPersonaSpace: the room picture with the characters on it. It owns the background, the user's own
// character and the characters of the other participants; every tick advances them all, restores the
// background where something changed, draws the characters in depth order with their name labels and
// asks for a repaint of that rectangle. The paint itself only copies the composed surface. A click walks
// the own character; the mouse over another character names it and sets the cursor.
#include "Image.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class TMxCelList;
class TPersonaInst;

// One remote character under the name it was added with.
struct TNamedPersona {
    QString Name;
    std::unique_ptr<TPersonaInst> Persona;
};

// One entry of the depth order: Y * 1000 + X, drawn in ascending order.
struct TDrawOrderEntry {
    long long Key = 0;
    TPersonaInst *Persona = nullptr;
};

class TPersonaSpace : public TMxImage {
    Q_OBJECT
public:
    // The room picture's size: a full redraw restores (0, 0) to (RoomWidth, RoomHeight).
    static constexpr int RoomWidth = 528;
    static constexpr int RoomHeight = 356;

    explicit TPersonaSpace(QWidget *parent = nullptr);
    ~TPersonaSpace() override;

    // The own character, owned; set by the owner right after creating the space.
    TPersonaInst *Own() const { return FOwn.get(); }
    void SetOwn(std::unique_ptr<TPersonaInst> own);

    // The other characters in the order of addition; the space owns them.
    const std::vector<TNamedPersona> &Instances() const { return FInstances; }
    void AddInstance(const QString &name, std::unique_ptr<TPersonaInst> character);
    // The first remote character whose Name equals name exactly, or nullptr.
    TPersonaInst *FindInstance(const QString &name) const;
    // Advances the own character by one step, then frees the first character named name. A running
    // interaction it takes part in ends first, leaving the other character standing and free. The room
    // is then redrawn in full.
    void RemoveInstance(const QString &name);
    // Walks the named character towards the position text written by the sender: x in characters 1-4
    // ("00-5" is -5), y in 5-8, the direction code in 9-10 (one that lost its trailing blank turns nobody).
    // Ignored for an unknown name or a character in an interaction. Throws EConvertError when x or y is
    // not a decimal number; nothing moves then.
    void MoveInstance(const QString &name, const QString &positionText);

    // Loads the room picture (JPEG) and asks the next tick to redraw the whole room; throws EFileError
    // and keeps the old picture when that fails.
    void LoadBackground(const QString &path);
    TMxBitmap &Background() { return FBackground; }

    // One step of every character, then the composition of what changed (the 75 ms timer calls this).
    void Tick();
    // Restores the background inside DirtyRect, draws every character in depth order with the labels
    // due, and asks the paint box to repaint DirtyRect. Draws nothing while Own is not set.
    void Compose();

    // The mouse-down on the room: the point is raised to FloorY and MinX; outside the action modes
    // 1-4, 6 and 7 the own character walks there unless it is interacting.
    void Click(int x, int y);
    // Names the remote character under the mouse (HoverName) and sets the cursor of the paint box.
    void MouseMove(int x, int y);

    // The name of the remote character under the mouse; empty when none.
    const QString &HoverName() const { return FHoverName; }
    const std::vector<TDrawOrderEntry> &DrawOrder() const { return FDrawOrder; }
    const TMxRect &DirtyRect() const { return FDirtyRect; }

    // A picker strip stored for the owner; the space does not use it.
    TMxCelList *CelList = nullptr;
    // The smallest y and x a click walks to.
    int FloorY = 0;
    int MinX = 0;
    // Every character's name label is drawn.
    bool ShowAllNames = false;
    // What a click on a character does: 0 walk, 1-4 the paired interactions, 6 profile, 7 private chat.
    int ActionMode = 0;
    // The next tick restores the whole room.
    bool FullRedraw = true;

    // When set, a mouse-down on the paint box goes here instead of to Click (the room frame's handler
    // calls Click itself first).
    std::function<void(QObject *Sender, Qt::MouseButton Button, int X, int Y)> OnPaintBoxMouseDown;

protected:
    // Copies the composed surface; the characters are not stepped.
    void Paint(QPainter &target) override;
    void PaintBoxMouseDown(int x, int y, Qt::MouseButton button) override;
    void PaintBoxMouseMove(int x, int y) override;
    // The new surface is white: the room is composed again at once, without a step.
    void resizeEvent(QResizeEvent *event) override;

private:
    void RedrawAll();
    void RebuildDrawOrder();
    bool WalksOnClick() const;

    std::unique_ptr<TPersonaInst> FOwn;
    std::vector<TNamedPersona> FInstances;
    QString FHoverName;
    TMxBitmap FBackground{1, 1};
    std::vector<TDrawOrderEntry> FDrawOrder;
    TMxRect FDirtyRect;
};
