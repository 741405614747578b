#include "graph/AttributeBuilder.h"

#include "graph/Data.h"

namespace host::attrs {

AttributePtr numeric(const std::string& ln, const std::string& sn, MFnNumericData::Type type,
                     double defaultValue) {
    auto a = std::make_shared<Attribute>(Attribute::Kind::Numeric, ln, sn);
    a->numericType = type;
    if (type == MFnNumericData::kBoolean)
        a->defaultValue = defaultValue != 0.0;
    else if (type == MFnNumericData::kFloat || type == MFnNumericData::kDouble)
        a->defaultValue = defaultValue;
    else
        a->defaultValue = static_cast<long>(defaultValue);
    return a;
}

AttributePtr boolean(const std::string& ln, const std::string& sn, bool defaultValue) {
    return numeric(ln, sn, MFnNumericData::kBoolean, defaultValue ? 1.0 : 0.0);
}

AttributePtr unit(const std::string& ln, const std::string& sn, MFnUnitAttribute::Type type,
                  double defaultValue) {
    auto a = std::make_shared<Attribute>(Attribute::Kind::Unit, ln, sn);
    a->unitType = type;
    a->defaultValue = defaultValue;
    return a;
}

AttributePtr enumeration(const std::string& ln, const std::string& sn,
                         std::vector<std::pair<std::string, short>> fields, short defaultValue) {
    auto a = std::make_shared<Attribute>(Attribute::Kind::Enum, ln, sn);
    a->enumFields = std::move(fields);
    a->defaultValue = static_cast<long>(defaultValue);
    return a;
}

AttributePtr typed(const std::string& ln, const std::string& sn, MFnData::Type type) {
    auto a = std::make_shared<Attribute>(Attribute::Kind::Typed, ln, sn);
    a->dataType = type;
    return a;
}

AttributePtr message(const std::string& ln, const std::string& sn) {
    return std::make_shared<Attribute>(Attribute::Kind::Message, ln, sn);
}

AttributePtr matrix(const std::string& ln, const std::string& sn) {
    auto a = std::make_shared<Attribute>(Attribute::Kind::Matrix, ln, sn);
    a->defaultValue = std::shared_ptr<Data>(std::make_shared<MatrixData>());
    return a;
}

AttributePtr compound(const std::string& ln, const std::string& sn,
                      std::initializer_list<AttributePtr> children) {
    auto a = std::make_shared<Attribute>(Attribute::Kind::Compound, ln, sn);
    for (const auto& c : children)
        a->addChild(c);
    return a;
}

AttributePtr triple(const std::string& ln, const std::string& sn, const char* suffixes,
                    const AttributePtr& proto, MFnNumericData::Type compoundType) {
    auto a = std::make_shared<Attribute>(Attribute::Kind::Numeric, ln, sn);
    a->numericType = compoundType;
    for (const char* s = suffixes; *s; ++s) {
        auto c = std::make_shared<Attribute>(proto->kind, ln + *s, sn + *s);
        c->numericType = proto->numericType;
        c->unitType = proto->unitType;
        c->defaultValue = proto->defaultValue;
        c->keyable = proto->keyable;
        a->addChild(c);
    }
    return a;
}

void affects(const AttributePtr& from, const AttributePtr& to) {
    from->affects.push_back(to.get());
    to->computed = true;
    for (auto& c : to->children)
        c->computed = true;
}

}  // namespace host::attrs
