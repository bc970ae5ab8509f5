#pragma once
// Reads "assets/Entity.json": one unregistered entity per element, handed to the manager
// as an archetype under its "name". A value of the wrong kind ends the read with a line naming
// its key; a component or vector that is not an object is reported and keeps its defaults.

#include <string>

class EntityManager;

class ArchetypeReader
{
public:
    static void read(const std::string& path, EntityManager& manager);
};
