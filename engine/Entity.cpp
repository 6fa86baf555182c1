#include "engine/Entity.h"

cEntity* cEntity::SetKind(int newKind)
{
    kind = newKind;
    return this;
}

cEntity::~cEntity() = default;

int cEntity::GetKind() const
{
    return kind;
}
