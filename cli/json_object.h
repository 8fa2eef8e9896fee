// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zm {

// One JSON object on one line, its fields in the order they are added:
//   JsonObject().whole("history_id", 12).text("band", "40m").number("lowest_swr", 1.21, 2)
//   gives {"history_id":12,"band":"40m","lowest_swr":1.21}
class JsonObject {
public:
    JsonObject& text(std::string_view name, std::string_view value);
    // null for none
    JsonObject& optionalText(std::string_view name, const std::optional<std::string>& value);
    JsonObject& whole(std::string_view name, std::int64_t value);
    JsonObject& flag(std::string_view name, bool value);
    // To `decimals` places; null for none, an infinity or NaN, which JSON has not.
    JsonObject& number(std::string_view name, std::optional<double> value, int decimals);
    // A value written already: an object, an array, null.
    JsonObject& raw(std::string_view name, std::string_view json);

    std::string str() const { return m_json + "}"; }

private:
    JsonObject& field(std::string_view name, std::string_view json);

    std::string m_json = "{";
};

// "\"40m dipole\"", every character JSON does not take as it stands escaped.
std::string jsonText(std::string_view text);
// "[a,b]" of values written already.
std::string jsonArray(const std::vector<std::string>& values);

}  // namespace zm
