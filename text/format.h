// Texts of the string table used as formats. The generator declares each
// text with conversions as a TableFormat constant in "string_table/formats.h",
// with the kinds of its conversions in its type, so a call with arguments
// that do not match the text does not compile, and a table edit that
// changes a text's conversions breaks every call that no longer matches.
#pragma once

#include "text/conversions.h"
#include "text/strings.h"

#include <array>
#include <concepts>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>

namespace r7t {

// A table text used as a format: its number without the language offset;
// Kinds are its conversions in order.
template <ConversionKind... Kinds>
struct TableFormat {
    int number;
};

// One argument, held as the kind of its conversion: the variant's index is
// the ConversionKind.
using FormatArgument = std::variant<std::string_view, long long, unsigned long long>;

// The format with its conversions replaced in order by the arguments and
// "%%" by "%". Reads no more arguments than it has: a conversion left
// without an argument of its kind, and a '%' that starts no conversion (a
// text its loader cut short), are copied as written.
std::string substituteArguments(std::string_view format, std::span<const FormatArgument> arguments);

template <typename T>
concept CharacterType = std::same_as<T, char> || std::same_as<T, wchar_t> || std::same_as<T, char8_t> ||
                        std::same_as<T, char16_t> || std::same_as<T, char32_t>;

// What a conversion of each kind accepts: texts for "%s", signed integers
// for "%i" and "%d", unsigned integers for "%u"; never a character or a bool.
template <typename T, ConversionKind Kind>
concept ArgumentOf =
    (Kind == ConversionKind::Text && std::convertible_to<const T&, std::string_view> && !std::is_null_pointer_v<T>) ||
    (Kind == ConversionKind::Integer && std::signed_integral<T> && !CharacterType<T>) ||
    (Kind == ConversionKind::Unsigned && std::unsigned_integral<T> && !std::same_as<T, bool> && !CharacterType<T>);

template <ConversionKind Kind, typename T>
FormatArgument formatArgument(const T& value)
{
    if constexpr (Kind == ConversionKind::Text)
        return FormatArgument(std::in_place_index<0>, std::string_view(value));
    else if constexpr (Kind == ConversionKind::Integer)
        return FormatArgument(std::in_place_index<1>, static_cast<long long>(value));
    else
        return FormatArgument(std::in_place_index<2>, static_cast<unsigned long long>(value));
}

// Whether the arguments match the format's conversions, in number and kind.
template <typename Format, typename... Args>
struct MatchesConversions : std::false_type {};
template <ConversionKind... Kinds, typename... Args>
    requires(sizeof...(Args) == sizeof...(Kinds))
struct MatchesConversions<TableFormat<Kinds...>, Args...>
    : std::bool_constant<(ArgumentOf<std::remove_cvref_t<Args>, Kinds> && ...)> {};

template <typename Format, typename... Args>
concept ArgumentsFor = MatchesConversions<Format, Args...>::value;

// The text loaded as MajStr loads it, formatted with the arguments.
template <ConversionKind... Kinds, typename... Args>
    requires ArgumentsFor<TableFormat<Kinds...>, Args...>
std::string formatText(TableFormat<Kinds...> format, const Args&... args)
{
    const std::array<FormatArgument, sizeof...(Args)> arguments{formatArgument<Kinds>(args)...};
    return substituteArguments(MajStr(format.number), arguments);
}

// The text loaded as MajMessage loads it (the message buffer, shorter),
// formatted with the arguments.
template <ConversionKind... Kinds, typename... Args>
    requires ArgumentsFor<TableFormat<Kinds...>, Args...>
std::string formatMessage(TableFormat<Kinds...> format, const Args&... args)
{
    const std::array<FormatArgument, sizeof...(Args)> arguments{formatArgument<Kinds>(args)...};
    return substituteArguments(MajMessage(format.number), arguments);
}

} // namespace r7t
