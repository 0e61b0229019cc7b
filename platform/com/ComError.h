#pragma once
// The one error type of the program: what a raised VB/COM error carried (number, source, description) plus the
// two tags an engine operation adds when it raises an error again (its class and operation name).

#include <stdexcept>
#include <string>

namespace tally {

class ComError : public std::runtime_error {
public:
    ComError(long number, std::string source, std::string description,
             std::string tagClass = {}, std::string tagOperation = {});

    long number() const noexcept { return number_; }
    const std::string& source() const noexcept { return source_; }
    const std::string& description() const noexcept { return description_; }
    const std::string& tagClass() const noexcept { return tagClass_; }
    const std::string& tagOperation() const noexcept { return tagOperation_; }

    // The same error (number, source, description) with new tags, as an engine handler raises it again.
    ComError retagged(std::string tagClass, std::string tagOperation) const;

private:
    long number_;
    std::string source_;
    std::string description_;
    std::string tagClass_;
    std::string tagOperation_;
};

// Error numbers of the VB runtime the program raises itself.
namespace vberr {
constexpr long Overflow = 6;
constexpr long SubscriptOutOfRange = 9;
constexpr long TypeMismatch = 13;
constexpr long FileNotFound = 53;
constexpr long PathFileAccessError = 75;
constexpr long PathNotFound = 76;
constexpr long InvalidProcedureCall = 5;
constexpr long DivisionByZero = 11;
constexpr long ObjectNotSet = 91;
constexpr long NoSuchControl = 340;
constexpr long InvalidPropertyValue = 380;
}  // namespace vberr

// E_FAIL: the number of an error that carries no number of its own (a standard exception turned into a ComError).
inline constexpr long kUnexpectedFailure = -2147467259;

// Raises the VB runtime error `number` with its standard text and the given source.
[[noreturn]] void raiseVbError(long number, const std::string& source = "Tallyvane");

// Runs `body`; any ComError is raised again with the operation's tags, any other exception becomes a ComError
// first. This is the handler every public engine operation wraps itself in.
template <typename Body>
auto withTags(const char* tagClass, const std::string& tagOperation, Body&& body) -> decltype(body()) {
    try {
        return body();
    } catch (const ComError& e) {
        throw e.retagged(tagClass, tagOperation);
    } catch (const std::exception& e) {
        throw ComError(kUnexpectedFailure, tagClass, e.what(), tagClass, tagOperation);
    }
}

}  // namespace tally
