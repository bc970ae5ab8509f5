#pragma once
// Where an entity is, how large and how it is turned, plus the previous position (written
// on every move) and a smoothed render position that drawing may follow instead.

#include "world/Component.h"

#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

class TransformComp : public Component
{
public:
    static inline const std::string kName{"TransformComp"};

    TransformComp();
    TransformComp(const TransformComp& other);
    TransformComp& operator=(const TransformComp& other);

    void debugPrint() const override;
    Component* clone() const override;
    std::string getName() const override { return kName; }

    virtual TransformComp compose(const TransformComp& other) const;
    virtual glm::vec3 getPosition() const { return position; }
    virtual void setPosition(const glm::vec3& value);
    virtual void setPosition(float x, float y, float z);
    virtual glm::vec3 getScale() const { return scale; }
    virtual void setScale(const glm::vec3& value);
    virtual void setScale(float x, float y, float z);
    virtual glm::quat getRotation() const { return rotation; }
    virtual void setRotation(const glm::quat& value);
    virtual void setRotation(const glm::vec3& eulerRadians);
    virtual void rotate(glm::vec3 axis, float degrees);
    virtual glm::mat4 getModelMatrix();
    virtual void setPreviousPosition(const glm::vec3& value);
    virtual void setPreviousPosition(float x, float y, float z);
    virtual glm::vec3 getPreviousPosition() const { return previousPosition; }
    virtual void setUseRenderPosition(bool use) { useRenderPosition = use; }
    virtual bool getUseRenderPosition() const { return useRenderPosition; }
    virtual void lerpRenderPosition(float t);
    virtual glm::vec3 getRenderPosition() const { return renderPosition; }

    bool isDirty() const { return dirty; }

private:
    glm::mat4 buildModelMatrix() const;

    glm::vec3 position{0.0f};
    glm::vec3 renderPosition{0.0f};
    glm::vec3 previousPosition{0.0f};
    glm::vec3 scale{1.0f};
    glm::quat rotation{glm::vec3(0.0f)};
    glm::mat4 modelMatrix{0.0f};
    bool dirty = true;
    bool useRenderPosition = false;
};

class TransformCompNull : public TransformComp
{
public:
    static TransformCompNull* instance();

    void debugPrint() const override {}
    Component* clone() const override { return instance(); }
    std::string getName() const override { return "TransformNull"; }
    bool isNull() const override { return true; }

    TransformComp compose(const TransformComp&) const override { return TransformComp(); }
    void setPosition(const glm::vec3&) override {}
    void setPosition(float, float, float) override {}
    glm::vec3 getScale() const override { return glm::vec3(0.0f); }
    void setScale(const glm::vec3&) override {}
    void setScale(float, float, float) override {}
    glm::quat getRotation() const override { return glm::quat(0.0f, 0.0f, 0.0f, 0.0f); }
    void setRotation(const glm::quat&) override {}
    void setRotation(const glm::vec3&) override {}
    void rotate(glm::vec3, float) override {}
    glm::mat4 getModelMatrix() override { return glm::mat4(0.0f); }
    void setPreviousPosition(const glm::vec3&) override {}
    void setPreviousPosition(float, float, float) override {}
    glm::vec3 getPreviousPosition() const override { return glm::vec3(0.0f); }
    void setUseRenderPosition(bool) override {}
    bool getUseRenderPosition() const override { return false; }
    void lerpRenderPosition(float) override {}
    glm::vec3 getRenderPosition() const override { return glm::vec3(0.0f); }
};
