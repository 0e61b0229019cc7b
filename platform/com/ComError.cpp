#include "ComError.h"

namespace tally {

ComError::ComError(long number, std::string source, std::string description, std::string tagClass,
                   std::string tagOperation)
    : std::runtime_error(description),
      number_(number),
      source_(std::move(source)),
      description_(std::move(description)),
      tagClass_(std::move(tagClass)),
      tagOperation_(std::move(tagOperation)) {}

ComError ComError::retagged(std::string tagClass, std::string tagOperation) const {
    return ComError(number_, source_, description_, std::move(tagClass), std::move(tagOperation));
}

namespace {
const char* vbErrorText(long number) {
    switch (number) {
        case vberr::InvalidProcedureCall: return "Invalid procedure call or argument";
        case vberr::Overflow: return "Overflow";
        case vberr::DivisionByZero: return "Division by zero";
        case vberr::SubscriptOutOfRange: return "Subscript out of range";
        case vberr::TypeMismatch: return "Type mismatch";
        case vberr::FileNotFound: return "File not found";
        case vberr::PathFileAccessError: return "Path/File access error";
        case vberr::InvalidPropertyValue: return "Invalid property value";
        case vberr::ObjectNotSet: return "Object variable or With block variable not set";
        case vberr::NoSuchControl: return "Control array element does not exist";
        default: return "Application-defined or object-defined error";
    }
}
}  // namespace

void raiseVbError(long number, const std::string& source) {
    throw ComError(number, source, vbErrorText(number));
}

}  // namespace tally
