#include "PersonaInst.h"

#include "AvatarLog.h"
#include "Canvas.h"
#include "ChattleError.h"
#include "ChattleLog.h"
#include "Tokenizer.h"

#include <cstdlib>

namespace {

constexpr int FrameSize = 64;
constexpr TPixel FallbackSkin = 0xFFCC99;

struct TDirectionRow {
    const char16_t *Code;
    int FirstCel;
    int LastCel;
};

constexpr std::array<TDirectionRow, 8> Directions = {{
    {u"S ", 0, 3},
    {u"SW", 4, 10},
    {u"W ", 11, 17},
    {u"NW", 18, 24},
    {u"N ", 25, 28},
    {u"NE", 29, 35},
    {u"E ", 36, 42},
    {u"SE", 43, 49},
}};

struct TAnimationRow {
    int StartCel;
    int LoopFirst;
    int LoopLast;
};

// Rows by animation code 8-16.
constexpr std::array<TAnimationRow, 9> Animations = {{
    {53, 54, 55}, // handshake, right
    {56, 57, 58}, // handshake, left
    {68, 68, 76}, // kiss, right
    {59, 59, 67}, // kiss, left
    {83, 85, 86}, // hug, right
    {77, 79, 80}, // hug, left
    {96, 101, 101}, // high five, right
    {89, 94, 94},   // high five, left
    {50, 51, 52},   // wave
}};

const TAnimationRow &AnimationRow(std::uint8_t code)
{
    const int index = code >= paHandshakeRight && code <= paWave ? code - paHandshakeRight : paWave - paHandshakeRight;
    return Animations[static_cast<std::size_t>(index)];
}

bool SkinInRange(TPixel c)
{
    const int red = (c >> 16) & 0xFF;
    const int green = (c >> 8) & 0xFF;
    const int blue = c & 0xFF;
    return red >= 184 && green >= 133 && green <= 204 && blue >= 82 && blue <= 153;
}

// One axis of a walk step: 5 pixels towards the target, snapping once closer than 5.
void StepAxis(int &position, int target)
{
    if (position < target)
        position += 5;
    if (position > target)
        position -= 5;
    if (std::abs(target - position) < 5)
        position = target;
}

} // namespace

TPersonaInst::TPersonaInst(TPersonaLib *library, const QString &appearance) : Library(library)
{
    if (appearance.isEmpty())
        PartCode = DefaultPartCode;
    else
        SetAppearance(appearance);
    Sprite = Library->BuildSprite(GetAppearance());
}

std::unique_ptr<TPersonaInst> TPersonaInst::CreateFromFile(TPersonaLib *library, const QString &path)
{
    std::unique_ptr<TPersonaInst> character(new TPersonaInst());
    character->Library = library;
    LoggingAbandoned(lcAvatar, QStringLiteral("Refused profile ") + path, [&] {
        character->LoadFromFile(path);
        character->Sprite = library->BuildSprite(character->GetAppearance());
    });
    return character;
}

std::unique_ptr<TPersonaInst> TPersonaInst::CreateCopy(const TPersonaInst &source)
{
    std::unique_ptr<TPersonaInst> character(new TPersonaInst());
    character->Name = source.Name;
    character->Password = source.Password;
    character->Library = source.Library;
    character->SetAppearance(source.GetAppearance());
    character->SetInfo(source.GetInfo());
    character->Note = source.Note;
    character->StoredFlag = source.StoredFlag;
    character->Font = source.Font;
    character->Sprite = character->Library->BuildSprite(character->GetAppearance());
    return character;
}

TPersonaInst::~TPersonaInst()
{
    EndInteraction();
}

QString TPersonaInst::GetAppearance() const
{
    QString text = PartCode;
    for (TPixel colour : Colours)
        text += TPersonaLib::ColourText(colour);
    return text;
}

void TPersonaInst::SetAppearance(const QString &text)
{
    PartCode = text.left(PartCodeLength);
    for (int slot = 0; slot < ColourSlotCount; ++slot)
        Colours[slot] = TPersonaLib::ParseColour(text, PartCodeLength + 6 * slot);
    if (!SkinInRange(Colours[0]))
        Colours[0] = FallbackSkin;
}

void TPersonaInst::ChangeAppearance(const QString &text)
{
    SetAppearance(text);
    Rebuild();
}

void TPersonaInst::SetPartCode(const QString &code)
{
    PartCode = code;
    Rebuild();
}

void TPersonaInst::Rebuild()
{
    Sprite = Library->BuildSprite(GetAppearance());
}

QString TPersonaInst::GetInfo() const
{
    return QStringList(Info.begin(), Info.end()).join(QLatin1Char('`'));
}

void TPersonaInst::SetInfo(const QString &text)
{
    TTokenizer tokenizer(text, QStringLiteral("`"));
    for (QString &field : Info)
        tokenizer.NextToken(field);
}

void TPersonaInst::SetPosition(int x, int y)
{
    X = TargetX = x;
    Y = TargetY = y;
}

void TPersonaInst::WalkTo(int x, int y)
{
    TargetX = x;
    TargetY = y;
    if (X == TargetX && Y == TargetY)
        return;
    Walking = true;
    Facing = NoFacing;
    ChooseWalkCycle();
}

void TPersonaInst::WalkToPoint(int x, int y)
{
    WalkTo(x - 32, y - 54);
}

void TPersonaInst::SetDirection(const QString &code)
{
    if (Walking)
        return;
    for (const TDirectionRow &row : Directions)
        if (code == QStringView(row.Code)) {
            Frame = row.FirstCel;
            return;
        }
}

void TPersonaInst::TurnClockwise()
{
    if (Facing >= NoFacing)
        return;
    Facing = (Facing + 1) % 8;
    Frame = StandingCel(Facing);
}

void TPersonaInst::TurnCounterClockwise()
{
    if (Facing >= NoFacing)
        return;
    Facing = (Facing + 7) % 8;
    Frame = StandingCel(Facing);
}

QString TPersonaInst::GetDirectionCode() const
{
    if (Facing < NoFacing)
        return QString::fromUtf16(Directions[Facing].Code);
    return Facing == NoFacing ? QStringLiteral("S ") : QStringLiteral("  ");
}

int TPersonaInst::StandingCel(int direction)
{
    return Directions[static_cast<std::size_t>(direction & 7)].FirstCel;
}

void TPersonaInst::ChooseWalkCycle()
{
    int direction = 0;
    if (TargetX < X)
        direction = TargetY < Y ? 3 : TargetY == Y ? 2 : 1;
    else if (TargetX == X)
        direction = TargetY < Y ? 4 : 0;
    else
        direction = TargetY < Y ? 5 : TargetY == Y ? 6 : 7;
    if (direction == WalkDirection) {
        ++Frame;
        if (Frame > LoopLast)
            Frame = LoopFirst;
        return;
    }
    WalkDirection = static_cast<std::uint8_t>(direction);
    LoopFirst = Directions[static_cast<std::size_t>(direction)].FirstCel;
    LoopLast = Directions[static_cast<std::size_t>(direction)].LastCel;
    Frame = LoopFirst;
}

void TPersonaInst::StartPaired(TPersonaInst *partner, std::uint8_t leftCode, std::uint8_t rightCode,
                               int distance, int count)
{
    if (!partner || partner == this || Interacting || partner->Interacting)
        return;
    Interacting = partner->Interacting = true;
    partner->Passive = true;
    partner->Partner = nullptr;
    partner->Initiator = this;
    Partner = partner;
    AnimationStarted = false;
    Count = count;
    const bool left = X <= partner->X;
    Animation = left ? leftCode : rightCode;
    partner->Animation = left ? rightCode : leftCode;
    WalkTo(left ? partner->X - distance : partner->X + distance, partner->Y);
}

void TPersonaInst::StartHandshake(TPersonaInst *partner)
{
    StartPaired(partner, paHandshakeLeft, paHandshakeRight, 36, 8);
}

void TPersonaInst::StartKiss(TPersonaInst *partner)
{
    StartPaired(partner, paKissLeft, paKissRight, 32, 1);
}

void TPersonaInst::StartHug(TPersonaInst *partner)
{
    StartPaired(partner, paHugLeft, paHugRight, 12, 14);
}

void TPersonaInst::StartHigh5(TPersonaInst *partner)
{
    StartPaired(partner, paHigh5Left, paHigh5Right, 36, 12);
}

void TPersonaInst::StartWave()
{
    if (Interacting)
        return;
    Interacting = true;
    Partner = nullptr;
    AnimationStarted = false;
    Count = 10;
    Animation = paWave;
}

void TPersonaInst::LeaveInteraction()
{
    if (!Passive && Walking) {
        // An approach walk has no partner to reach any more.
        TargetX = X;
        TargetY = Y;
        Walking = false;
    }
    Interacting = Passive = false;
    Partner = Initiator = nullptr;
    if (!Walking) {
        Facing = 0;
        WalkDirection = NoWalkDirection;
        Frame = 0;
    }
}

void TPersonaInst::EndInteraction()
{
    if (!Interacting)
        return;
    TPersonaInst *other = Partner ? Partner : Initiator;
    LeaveInteraction();
    if (other)
        other->LeaveInteraction();
}

bool TPersonaInst::Step()
{
    if (Walking) {
        StepAxis(X, TargetX);
        StepAxis(Y, TargetY);
        ChooseWalkCycle();
        if (X == TargetX && Y == TargetY) {
            if (!Interacting) {
                Facing = 0;
                WalkDirection = NoWalkDirection;
                Frame = 0;
            }
            Walking = false;
        }
        return true;
    }
    if (Interacting && !Passive) {
        StepAnimation();
        if (Count == 0)
            FinishAnimation();
        return true;
    }
    return false;
}

void TPersonaInst::Advance()
{
    ++Frame;
    if (Partner)
        ++Partner->Frame;
}

void TPersonaInst::Wrap()
{
    Frame = LoopFirst;
    if (Partner)
        Partner->Frame = Partner->LoopFirst;
}

void TPersonaInst::StepAnimation()
{
    if (!AnimationStarted) {
        AnimationStarted = true;
        const TAnimationRow &own = AnimationRow(Animation);
        Frame = own.StartCel;
        LoopFirst = own.LoopFirst;
        LoopLast = own.LoopLast;
        if (Partner) {
            const TAnimationRow &other = AnimationRow(Partner->Animation);
            Partner->Frame = other.StartCel;
            Partner->LoopFirst = other.LoopFirst;
            Partner->LoopLast = other.LoopLast;
        }
        return;
    }
    switch (Animation) {
    case paHandshakeRight:
    case paHandshakeLeft: // rule A: each pass through the two-cel loop uses one count
        if (Frame >= LoopFirst && Frame <= LoopLast) {
            Advance();
            if (Frame > LoopLast) {
                --Count;
                Wrap();
            }
        } else {
            Wrap();
        }
        break;
    case paKissRight:
    case paKissLeft: // rule B: the cels play once
        Advance();
        if (Frame > LoopLast) {
            --Count;
            Wrap();
        }
        break;
    case paHugRight:
    case paHugLeft:
    case paHigh5Right:
    case paHigh5Left: { // rules C and D: lead-in, the loop while counting, then the release
        const int releaseEnd = Animation <= paHugLeft ? LoopLast + 1 : LoopLast;
        if (Frame >= LoopFirst && Count >= 2) {
            --Count;
            Advance();
            if (Frame > LoopLast)
                Wrap();
        } else {
            Advance();
            if (Frame > releaseEnd)
                --Count;
        }
        break;
    }
    default: // rule E, the wave
        if (Frame >= LoopFirst && Count >= 2) {
            --Count;
            ++Frame;
            if (Frame > LoopLast)
                Frame = LoopFirst;
        } else {
            ++Frame;
            if (Frame > LoopLast - 1)
                --Count;
        }
        break;
    }
}

void TPersonaInst::FinishAnimation()
{
    TPersonaInst *partner = Partner;
    Interacting = false;
    Partner = nullptr;
    if (partner) {
        partner->Interacting = false;
        partner->Initiator = nullptr;
    }
    if (Animation == paHandshakeLeft) {
        SetDirection(QStringLiteral("SE"));
        if (partner)
            partner->SetDirection(QStringLiteral("SW"));
    } else if (Animation == paHandshakeRight) {
        SetDirection(QStringLiteral("SW"));
        if (partner)
            partner->SetDirection(QStringLiteral("SE"));
    } else if (Animation == paWave) {
        SetDirection(QStringLiteral("S "));
    }
    if (partner)
        partner->Passive = false;
}

void TPersonaInst::Draw(TMxBitmap &destination) const
{
    DrawCel(X, Y, Frame, destination);
}

void TPersonaInst::DrawCel(int x, int y, int cel, TMxBitmap &destination) const
{
    if (Sprite && cel >= 0 && cel < Sprite->CelCount())
        Sprite->CelBitmap(cel).DrawTo(destination, x, y);
}

bool TPersonaInst::HitTest(int x, int y) const
{
    return X < x && x < X + FrameSize && Y < y && y < Y + FrameSize;
}

void TPersonaInst::DrawName(TMxCanvas &canvas) const
{
    QFont font = canvas.Font();
    font.setBold(true);
    font.setPointSize(12);
    canvas.SetFont(font);
    canvas.SetFontColor(QColor(255, 255, 255));
    canvas.SetBrushStyle(Qt::NoBrush);
    const int tx = X + 32 - canvas.TextWidth(Name) / 2 - 4;
    canvas.TextOut(tx, Y - 15, Name);
    canvas.SetFontColor(QColor(255, 0, 0));
    canvas.TextOut(tx + 1, Y - 14, Name);
}

void TPersonaInst::AddToRect(TMxRect &rect) const
{
    const TMxRect box{X - 30, Y - 30, X + 94, Y + 94};
    if (rect.Top == rect.Bottom) {
        rect = box;
        return;
    }
    rect.Left = std::min(rect.Left, box.Left);
    rect.Top = std::min(rect.Top, box.Top);
    rect.Right = std::max(rect.Right, box.Right);
    rect.Bottom = std::max(rect.Bottom, box.Bottom);
}
