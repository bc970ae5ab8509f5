#pragma once
// Reads "assets/Entity.json": one unregistered entity per element, handed to the manager
// as an archetype under its "name".

#include <string>

class EntityManager;

class ArchetypeReader
{
public:
    static void read(const std::string& path, EntityManager& manager);
};
