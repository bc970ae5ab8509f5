#pragma once
// The one getInstance recipe every engine system follows: create on first use, register
// an Observer part with the Subject hub once, and (re)apply the system name on every call.

#include "engine/Observer.h"

#include <string>
#include <type_traits>

void RegisterObserver(const std::string& observerName, Observer* observer);

template <class T>
T* GetSystemSingleton(T*& instance, const char* systemName, const char* observerName = nullptr)
{
    if (!instance)
    {
        instance = new T();
        if constexpr (std::is_base_of_v<Observer, T>)
            RegisterObserver(observerName ? observerName : systemName, instance);
    }
    instance->setName(systemName);
    return instance;
}
