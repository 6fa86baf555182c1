#include "actors/CharacterBubble.h"

#include "engine/Entity.h"
#include "engine/HintBubble.h"

void cCharacterBubble::Reset(int value)
{
    content = value;
    timeMs = kSelectionMs;
}

void cCharacterBubble::Set(cEntity& owner, int value, int ms)
{
    content = value;
    timeMs = ms;
    cHintBubble* bubble = owner.GetHintBubble();
    if (bubble && bubble->GetContent() != content)
        bubble->SetContent(content);
}

void cCharacterBubble::Show(cEntity& owner) const
{
    cHintBubble* bubble = owner.GetHintBubble();
    // Re-opening keeps the bubble's own content and time; any other bubble gives way to one that
    // shows what is set now.
    if (bubble && bubble->IsOpen())
        bubble->Reopen();
    else
        owner.SetHintBubble(new cHintBubble(content, timeMs));
}

void cCharacterBubble::Hide(cEntity& owner)
{
    if (cHintBubble* bubble = owner.GetHintBubble())
        bubble->Hide();
}

int cCharacterBubble::GetShown(const cEntity& owner)
{
    const cHintBubble* bubble = owner.GetHintBubble();
    return bubble ? bubble->GetContent() : -1;
}
