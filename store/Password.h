// The stored form of the password lock: a 28-bit hash of the typed text, written as 11 octal
// digits. It guards against casual changes, not against a determined user; the form is kept so
// that settings stored by earlier versions stay valid.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// Bytes above 0x7F count as negative values, as the stored hashes were made.
std::uint32_t PasswordHash(const char* bytes, size_t length);
// "%011o" of the hash: always 11 digits, the first of them 0.
std::string EncodePassword(const std::string& text);

enum class PasswordMatch { No, Yes, OlderForm };
// Whether typed is the password stored as stored. Earlier versions hashed the bytes of the
// system's legacy code page: such a form matches as OlderForm, and should be stored anew.
PasswordMatch MatchPassword(const std::string& typed, const std::string& stored);
