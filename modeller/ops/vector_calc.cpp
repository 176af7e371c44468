#include "modeller/ops/vector_calc.h"

#include <cstdio>
#include <vector>

#include "model/vector_text.h"
#include "modeller/ops/plane_figure.h"
#include "platform/rm/vector.h"

namespace modeller::ops {

namespace {

constexpr std::string_view kScalarOps[] = {"+", "-", "*", "/"};
constexpr std::string_view kVectorScalarOps[] = {"*", "/", kNormalize};
constexpr std::string_view kTwoVectorOps[] = {"+",    "- ( (2) → (1) )", "中点", "内積",
                                              "外積", kNormalize};
constexpr std::string_view kPairScalarOps[] = {"*", "/"};
constexpr std::string_view kPairVectorOps[] = {"+", "-"};
constexpr std::string_view kPlaneLineOps[] = {kIntersect};

struct Operand {
    OperandClass kind = OperandClass::kEmpty;
    float s = 0;
    rm::Vector3 a, b;
};

Operand Read(std::string_view text) {
    const std::vector<float> n = model::ParseNumberList(text, 6);
    Operand o;
    o.kind = ClassOf(n.size());
    if (!n.empty()) o.s = n[0];
    if (n.size() >= 3) o.a = {n[0], n[1], n[2]};
    if (n.size() >= 6) o.b = {n[3], n[4], n[5]};
    return o;
}

std::string VectorText(rm::Vector3 v) {
    return model::FormatVector(v.x, v.y, v.z);
}

std::string PairText(rm::Vector3 a, rm::Vector3 b) {
    return VectorText(a) + ", " + VectorText(b);
}

}  // namespace

size_t CountNumbers(std::string_view text) {
    return model::ParseNumberList(text, 33).size();
}

OperandClass ClassOf(size_t count) {
    if (count == 0) return OperandClass::kEmpty;
    if (count <= 2) return OperandClass::kScalar;
    if (count <= 5) return OperandClass::kVector;
    return OperandClass::kPair;
}

OperatorList ListFor(size_t c1, size_t c2) {
    if (c1 <= 2) return OperatorList::kScalar;
    if (c1 <= 5) return c2 <= 2 ? OperatorList::kVectorScalar : OperatorList::kTwoVectors;
    if (c2 <= 2) return OperatorList::kPairScalar;
    if (c2 <= 5) return OperatorList::kPairVector;
    return OperatorList::kPlaneLine;
}

std::span<const std::string_view> OperatorTexts(OperatorList list) {
    switch (list) {
        case OperatorList::kScalar:
            return kScalarOps;
        case OperatorList::kVectorScalar:
            return kVectorScalarOps;
        case OperatorList::kTwoVectors:
            return kTwoVectorOps;
        case OperatorList::kPairScalar:
            return kPairScalarOps;
        case OperatorList::kPairVector:
            return kPairVectorOps;
        case OperatorList::kPlaneLine:
            return kPlaneLineOps;
    }
    return kScalarOps;
}

std::string FormatCalcNumber(float value) {
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.8g", static_cast<double>(value));
    return buffer;
}

CalcOutcome Calculate(CalcFields& f, std::string_view op) {
    using enum OperandClass;
    const Operand x = Read(f.operand1), y = Read(f.operand2);
    if (x.kind == kEmpty || y.kind == kEmpty) {
        if (op != kNormalize || x.kind != kVector) return {};
        f.operand1 = VectorText(rm::Normalize(x.a));
        return {true, {}};
    }
    if (x.kind == kScalar && y.kind == kScalar) {
        float r;
        if (op == "+")
            r = x.s + y.s;
        else if (op == "-")
            r = x.s - y.s;
        else if (op == "*")
            r = x.s * y.s;
        else if (op == "/")
            r = y.s == 0 ? 0.0f : x.s / y.s;
        else
            return {};
        f.result = FormatCalcNumber(r);
        return {true, {}};
    }
    if (x.kind == kVector && y.kind == kScalar) {
        if (op == "*")
            f.result = VectorText(x.a * y.s);
        else if (op == "/")
            f.result = VectorText(y.s == 0 ? rm::Vector3{} : x.a * (1.0f / y.s));
        else if (op == kNormalize)
            f.operand1 = VectorText(rm::Normalize(x.a));
        else
            return {};
        return {true, {}};
    }
    if (x.kind == kVector && y.kind == kVector) {
        if (op == kNormalize) {
            f.operand1 = VectorText(rm::Normalize(x.a));
            f.operand2 = VectorText(rm::Normalize(y.a));
        } else if (op == "内積") {
            f.result = FormatCalcNumber(rm::Dot(x.a, y.a));
        } else if (op == "+") {
            f.result = VectorText(x.a + y.a);
        } else if (op == "- ( (2) → (1) )") {
            f.result = VectorText(x.a - y.a);
        } else if (op == "中点") {
            f.result = VectorText((x.a + y.a) * 0.5f);
        } else if (op == "外積") {
            f.result = VectorText(rm::Cross(x.a, y.a));
        } else {
            return {};
        }
        return {true, {}};
    }
    if (x.kind == kPair && y.kind == kScalar) {
        if (op != "*" && op != "/") return {};
        if (op == "/" && y.s == 0) return {false, kDivideByZeroText};
        const float k = op == "*" ? y.s : 1.0f / y.s;
        f.result = PairText(x.a * k, x.b * k);
        return {true, {}};
    }
    if (x.kind == kPair && y.kind == kVector) {
        if (op == "+")
            f.result = PairText(x.a, x.b + y.a);
        else if (op == "-")
            f.result = PairText(x.a, x.b - y.a);
        else
            return {};
        return {true, {}};
    }
    if (x.kind == kPair && y.kind == kPair && op == kIntersect) {
        const std::optional<LineHit> hit = IntersectPlaneLine(x.a, x.b, y.a, y.b);
        if (!hit) return {false, kParallelText};
        f.result = VectorText(hit->at);
        return {true, {}};
    }
    return {};
}

}  // namespace modeller::ops
