#pragma once
// TPersonaInst: one character on a room surface: who it is, how it looks (part code, colours and the
// sprite built from them), where it stands, and the small state machine that walks it one step per tick,
// turns it and plays the interactions (handshake, kiss, hug, high five, and the solo wave).
// (X, Y) is the top-left corner of the 64 x 64 frame; the feet are at (X + 32, Y + 54).
#include "PersonaLib.h"

#include <QFont>
#include <QString>
#include <array>
#include <cstdint>
#include <memory>

class TMxCanvas;

constexpr int InfoFieldCount = 23;
// Facing while a walk has no settled direction, and WalkDirection while no walk cycle plays.
constexpr std::uint8_t NoFacing = 8;
constexpr std::uint8_t NoWalkDirection = 17;

// Interaction animation codes: left / right participant (left = the smaller X at the start).
enum TPersonaAnimation : std::uint8_t {
    paHandshakeRight = 8,
    paHandshakeLeft = 9,
    paKissRight = 10,
    paKissLeft = 11,
    paHugRight = 12,
    paHugLeft = 13,
    paHigh5Right = 14,
    paHigh5Left = 15,
    paWave = 16,
};

class TPersonaInst {
public:
    // Create: an empty appearance gives the default one. Throws as SetAppearance and BuildSprite do.
    TPersonaInst(TPersonaLib *library, const QString &appearance = QString());
    // Loads a profile file (LoadFromFile) and builds the sprite. Throws EFileError / EConvertError /
    // EChattleError; no character results then.
    static std::unique_ptr<TPersonaInst> CreateFromFile(TPersonaLib *library, const QString &path);
    // Name, password, library, appearance, info record, note, stored flag and font of source; standing
    // at (0, 0).
    static std::unique_ptr<TPersonaInst> CreateCopy(const TPersonaInst &source);
    // Ends any interaction the character takes part in first (EndInteraction).
    ~TPersonaInst();
    TPersonaInst(const TPersonaInst &) = delete;
    TPersonaInst &operator=(const TPersonaInst &) = delete;

    // Appearance
    // PartCode followed by the nine colours as upper-case hexadecimal: 65 characters.
    QString GetAppearance() const;
    // Reads the part code and the nine colours (no rebuild); a skin colour outside red 184-255,
    // green 133-204, blue 82-153 becomes FFCC99. Throws EConvertError for a short text or a bad colour;
    // the fields read before it keep their new values.
    void SetAppearance(const QString &text);
    void ChangeAppearance(const QString &text);
    void SetPartCode(const QString &code);
    // Builds the sprite again from GetAppearance; the old sprite stays when the build throws.
    void Rebuild();

    // The info record: fields 1 to 23 joined with "`".
    QString GetInfo() const;
    // Splits at "`" with the tokenizer; missing fields become empty.
    void SetInfo(const QString &text);

    // The profile file: five lines ended by CR LF: scrambled password, "1"/"0" stored flag, appearance,
    // info record, note. LoadFromFile also sets Name to the file name without its last four characters.
    // Both throw EFileError when the file cannot be read or written, or has fewer than five lines;
    // LoadFromFile throws as SetAppearance for a bad line 3. SaveToFile also throws EFileError, and
    // leaves the file as it was, when a line would hold a line break (a note with one, a password
    // whose scrambled bytes give one).
    void LoadFromFile(const QString &path);
    void SaveToFile(const QString &path) const;

    // Movement and facing
    void SetPosition(int x, int y);
    void WalkTo(int x, int y);
    // The clicked point becomes the feet position: WalkTo(x - 32, y - 54).
    void WalkToPoint(int x, int y);
    // Standing cel of a direction code ("S ", "SW", ... "SE", compared exactly: "S" is unknown) while
    // not walking; Facing is not changed; unknown codes change nothing.
    void SetDirection(const QString &code);
    void TurnClockwise();
    void TurnCounterClockwise();
    // The code of Facing; "S " for NoFacing; two blanks for anything else.
    QString GetDirectionCode() const;

    // Interactions, called on the initiator; ignored while either character is interacting, and for no
    // partner or the character itself.
    void StartHandshake(TPersonaInst *partner);
    void StartKiss(TPersonaInst *partner);
    void StartHug(TPersonaInst *partner);
    void StartHigh5(TPersonaInst *partner);
    void StartWave();
    // Ends the interaction this character takes part in, as initiator or as passive partner: both
    // characters are left free to act, standing facing the viewer where they are (an initiator's approach
    // walk stops; a passive partner's own walk goes on). No effect when not interacting.
    void EndInteraction();

    // Per tick and drawing
    // One tick of walking or animation; true when something changed.
    bool Step();
    // Sprite cel Frame at (X, Y) with transparency; nothing for a cel the sprite lacks.
    void Draw(TMxBitmap &destination) const;
    void DrawCel(int x, int y, int cel, TMxBitmap &destination) const;
    // X < x < X + 64 and Y < y < Y + 64.
    bool HitTest(int x, int y) const;
    // The name label in white bold 12 above the frame, then again in red one pixel lower right; the
    // canvas keeps the red bold font.
    void DrawName(TMxCanvas &canvas) const;
    // Grows rect (or sets it, when empty: Top == Bottom) to the box (X - 30, Y - 30, X + 94, Y + 94).
    void AddToRect(TMxRect &rect) const;

    // The standing cel (first walk cycle cel) of direction 0-7.
    static int StandingCel(int direction);

    TPersonaLib *Library = nullptr; // shared, not owned
    std::unique_ptr<TMxSprite> Sprite;
    QString PartCode;
    QString Name;
    QString Password;
    int X = 0;
    int Y = 0;
    int TargetX = 0;
    int TargetY = 0;
    QFont Font;
    QString Note; // line 5 of the profile file
    // skin, hair, facial hair, shirt, pants, dress, shoes, spare 1, spare 2 (0x00RRGGBB)
    std::array<TPixel, ColourSlotCount> Colours = DefaultColours;
    std::uint8_t Facing = 0;                       // 0 S, 1 SW, ... 7 SE (clockwise), or NoFacing
    std::uint8_t WalkDirection = NoWalkDirection;  // the walk cycle playing, 0-7, or NoWalkDirection
    int Frame = 0;
    int LoopFirst = 0;
    int LoopLast = 0;
    bool Walking = false;
    bool Interacting = false;
    bool Passive = false;             // the partner of an interaction; its cels are driven by the initiator
    TPersonaInst *Partner = nullptr;  // on the initiator, while the interaction runs; not owned
    TPersonaInst *Initiator = nullptr; // on the passive partner, while the interaction runs; not owned
    std::uint8_t Animation = 0;       // TPersonaAnimation
    bool AnimationStarted = false;
    int Count = 0;                    // the animation's remaining count
    bool StoredFlag = true;
    // Info[n - 1] is info field n: 4 the e-mail address, 19-23 flags.
    std::array<QString, InfoFieldCount> Info;

private:
    TPersonaInst() = default;
    void ChooseWalkCycle();
    void StartPaired(TPersonaInst *partner, std::uint8_t leftCode, std::uint8_t rightCode, int distance,
                     int count);
    void StepAnimation();
    void LeaveInteraction();
    void Advance();
    void Wrap();
    void FinishAnimation();
};
