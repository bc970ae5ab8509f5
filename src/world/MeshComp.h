#pragma once
// The mesh an entity is drawn with; the unit quad unless the archetype names another.

#include "world/Component.h"

class Mesh;

class MeshComp : public Component
{
public:
    static inline const std::string kName{"MeshComp"};
    static constexpr const char* kDefaultMesh = "quad";

    MeshComp();

    Component* clone() const override;
    std::string getName() const override { return kName; }

    virtual void setMesh(Mesh* value) { mesh = value; }
    // Never null: the null mesh stands in for a missing one.
    virtual Mesh* getMesh() const;

protected:
    explicit MeshComp(Mesh* initial) : mesh(initial) {}

private:
    Mesh* mesh;
};

class MeshCompNull : public MeshComp
{
public:
    static MeshCompNull* instance();

    Component* clone() const override { return instance(); }
    std::string getName() const override { return "MeshCompNull"; }
    bool isNull() const override { return true; }
    void setMesh(Mesh*) override {}
    Mesh* getMesh() const override;

private:
    MeshCompNull();
};
