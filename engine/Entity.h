#pragma once

#include <memory>

class cHintBubble;

/// What an entity is, as the contact filter and the actors tell each other apart.
enum eEntityKind
{
    KIND_NONE = 0,            ///< water areas, trigger boxes and plants
    KIND_CHARACTER = 1,       ///< every player character and ancestor form, and the fireflies
    KIND_ENTER_TREE = 3,      ///< the area's enter tree
    KIND_EXIT = 4,            ///< an exit tree
    KIND_EMITTER_BOX = 7,     ///< a heart emitter box
    KIND_RECEIVER_BOX = 8,    ///< a heart receiver box
    KIND_STACK_BOX = 9,
    KIND_STACK_SENSOR = 10,
    KIND_HEART = 11,
    KIND_NEVER_COLLIDES = 12, ///< ambient flies and the like: touch nothing, characters included
    KIND_FALLING_ROCK = 13,
};

/// The root of every game object: it carries the object's kind (`eEntityKind`), which each concrete
/// class sets in its constructor, and owns at most one hint bubble, deleted with the entity.
class cEntity
{
public:
    cEntity();
    cEntity(const cEntity&) = delete;
    cEntity& operator=(const cEntity&) = delete;

    /// Stores the kind and returns this entity.
    virtual cEntity* SetKind(int kind);
    virtual ~cEntity();
    /// The kind; `KIND_NONE` until set. Kinds are only ever read through here.
    virtual int GetKind() const;

    /// The owned bubble; null when none is shown.
    cHintBubble* GetHintBubble() const { return hintBubble.get(); }
    /// Takes the bubble (may be null) and deletes the one held before.
    void SetHintBubble(cHintBubble* bubble);
    void DeleteHintBubble() { SetHintBubble(nullptr); }

private:
    int kind = KIND_NONE;
    std::unique_ptr<cHintBubble> hintBubble;
};
