#include "engine/JsonNumber.h"

#include "engine/JsonFileError.h"
#include "engine/JsonValue.h"
#include "engine/TraceLog.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

using nlohmann::json;

namespace
{
template <class T>
std::optional<T> FitWholeNumber(const json& value)
{
    using Limits = std::numeric_limits<T>;
    if (value.is_number_unsigned())
    {
        const uint64_t number = value.get<uint64_t>();
        if (number > static_cast<uint64_t>(Limits::max()))
            return std::nullopt;
        return static_cast<T>(number);
    }
    if (value.is_number_integer())
    {
        const int64_t number = value.get<int64_t>();
        const bool belowRange = number < static_cast<int64_t>(Limits::min());
        const bool aboveRange = number > 0 && static_cast<uint64_t>(number) > static_cast<uint64_t>(Limits::max());
        if (belowRange || aboveRange)
            return std::nullopt;
        return static_cast<T>(number);
    }
    // Both bounds are zero or powers of two, so the double holds them exactly.
    const double cut = std::trunc(value.get<double>());
    const double lowest = static_cast<double>(Limits::min());
    const double beyondHighest = std::ldexp(1.0, Limits::digits);
    if (!(cut >= lowest && cut < beyondHighest))
        return std::nullopt;
    return static_cast<T>(cut);
}

template <class T>
std::optional<T> FitRealNumber(const json& value)
{
    const double number = value.get<double>();
    if (!(std::fabs(number) <= static_cast<double>(std::numeric_limits<T>::max())))
        return std::nullopt;
    return static_cast<T>(number);
}
}

template <class T>
std::optional<T> FitNumber(const json& value)
{
    if (value.is_boolean())
        return static_cast<T>(value.get<bool>() ? 1 : 0);
    if constexpr (std::is_integral_v<T>)
        return FitWholeNumber<T>(value);
    else
        return FitRealNumber<T>(value);
}

template <class T>
T ReadNumber(const json& value, const std::string& key, T fallback, const std::string& file)
{
    if (!value.is_number() && !value.is_boolean())
        ThrowWrongKind(value, key, "a number", file);
    const std::optional<T> number = FitNumber<T>(value);
    if (number)
        return *number;
    Log()->error(JsonProblemText(file, "key \"" + key + "\": " + value.dump() + " is out of range; the default stands."));
    return fallback;
}

#define WENDLEBOX_JSON_NUMBER(T)                                                                   \
    template std::optional<T> FitNumber<T>(const json&);                                           \
    template T ReadNumber<T>(const json&, const std::string&, T, const std::string&);

WENDLEBOX_JSON_NUMBER(int32_t)
WENDLEBOX_JSON_NUMBER(uint32_t)
WENDLEBOX_JSON_NUMBER(int64_t)
WENDLEBOX_JSON_NUMBER(uint64_t)
WENDLEBOX_JSON_NUMBER(float)
WENDLEBOX_JSON_NUMBER(double)

#undef WENDLEBOX_JSON_NUMBER
