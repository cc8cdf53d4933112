#include "FuzzRooms.h"

#include "PersonaInst.h"
#include "PersonaSpace.h"
#include "frameChatFrame.h"
#include "frameText.h"
#include "frmRequest.h"

#include <QListWidget>
#include <QTextEdit>
#include <vector>

void EmptyChatFrame(TframeChatFrame &frame, const QString &own)
{
    for (QListWidget *list : {frame.lstUsers, frame.lstVisualUsers})
        list->clear();
    std::vector<QString> remote;
    for (const TNamedPersona &entry : frame.Space()->Instances())
        remote.push_back(entry.Persona->Name);
    for (const QString &name : remote)
        frame.Space()->RemoveInstance(name);
    frame.frameChatText->txtConversation->clear();
    qDeleteAll(frame.findChildren<TfrmRequest *>());
    TPersonaInst *character = frame.OwnCharacter();
    character->Name = own;
    character->EndInteraction();
    character->Walking = false;
    character->SetPosition(10, 250);
    frame.Space()->ActionMode = 0;
}
