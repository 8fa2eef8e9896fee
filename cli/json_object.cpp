// SPDX-License-Identifier: GPL-3.0-or-later

#include "cli/json_object.h"

#include <cmath>
#include <cstdio>

#include "numbers/number_text.h"

namespace zm {

JsonObject& JsonObject::field(std::string_view name, std::string_view json) {
    m_json += (m_json.size() > 1 ? "," : "") + jsonText(name) + ":" + std::string(json);
    return *this;
}

JsonObject& JsonObject::text(std::string_view name, std::string_view value) {
    return field(name, jsonText(value));
}

JsonObject& JsonObject::optionalText(std::string_view name,
                                     const std::optional<std::string>& value) {
    return field(name, value ? jsonText(*value) : "null");
}

JsonObject& JsonObject::whole(std::string_view name, std::int64_t value) {
    return field(name, std::to_string(value));
}

JsonObject& JsonObject::flag(std::string_view name, bool value) {
    return field(name, value ? "true" : "false");
}

JsonObject& JsonObject::number(std::string_view name, std::optional<double> value, int decimals) {
    return field(name, value && std::isfinite(*value) ? fixedNumber(*value, decimals) : "null");
}

JsonObject& JsonObject::raw(std::string_view name, std::string_view json) {
    return field(name, json);
}

std::string jsonText(std::string_view text) {
    std::string json = "\"";
    json.reserve(text.size() + 2);
    for (const char c : text) {
        const auto code = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json.append({'\\', c});
        } else if (code < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", code);
            json += escape;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string jsonArray(const std::vector<std::string>& values) {
    std::string json = "[";
    for (const std::string& value : values) {
        json += (json.size() > 1 ? "," : "") + value;
    }
    return json + "]";
}

}  // namespace zm
