#pragma once
// The game's answers to a contact found by an entity's physics step: triggers, hazards,
// firewalls, goals, checkpoints, the package, and platforms the player lands on.

class Entity;

// Any overlap, solid or not.
void ReactToContact(Entity* self, Entity* other);
// A solid contact whose result was Down: self stands on other.
void ReactToLanding(Entity* self, Entity* other);
