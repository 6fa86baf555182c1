#include "engine/Entity.h"

#include "engine/HintBubble.h"

// The bubble's type is complete only here, so construction and destruction live here too.
cEntity::cEntity() = default;

cEntity* cEntity::SetKind(int newKind)
{
    kind = newKind;
    return this;
}

cEntity::~cEntity() = default;

void cEntity::SetHintBubble(cHintBubble* bubble)
{
    hintBubble.reset(bubble);
}

int cEntity::GetKind() const
{
    return kind;
}
