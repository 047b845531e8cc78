#pragma once
// Generates DRBv1 application texts for the model's tests and fuzz seeds:
// a tree of containers and code blocks, each with input and output
// variables.
#include <string>
#include <vector>

namespace trovtest {

struct DrbPin {
    std::string name;
    int id = 0;
    int dim = 1;
    std::string extra; // further child elements of the VARIABLE, as XML

    DrbPin(std::string n, int i, int d = 1, std::string e = "")
        : name(std::move(n)), id(i), dim(d), extra(std::move(e))
    {
    }
};

struct DrbBlock {
    std::string name;
    bool codeBlock = false;
    std::vector<DrbPin> inputs;
    std::vector<DrbPin> outputs;
    std::vector<DrbBlock> children;
    bool withName = true;

    explicit DrbBlock(std::string n, bool code = false) : name(std::move(n)), codeBlock(code) {}
    DrbBlock& In(const DrbPin& pin) { inputs.push_back(pin); return *this; }
    DrbBlock& Out(const DrbPin& pin) { outputs.push_back(pin); return *this; }
    DrbBlock& Add(const DrbBlock& child) { children.push_back(child); return *this; }

    std::string Xml() const
    {
        std::string tag = codeBlock ? "CODEBLOCK" : "CONTAINER";
        std::string text = "<" + tag + ">";
        if (withName)
            text += "<NAME>" + name + "</NAME>";
        for (const DrbBlock& child : children)
            text += child.Xml();
        auto pins = [](const char* side, const std::vector<DrbPin>& list) {
            if (list.empty())
                return std::string();
            std::string s = std::string("<") + side + ">";
            for (const DrbPin& pin : list) {
                s += "<VARIABLE><NAME>" + pin.name + "</NAME><ID>" + std::to_string(pin.id) +
                     "</ID><DIM>" + std::to_string(pin.dim) + "</DIM><FORMAT>double</FORMAT>" + pin.extra +
                     "</VARIABLE>";
            }
            return s + "</" + side + ">";
        };
        text += pins("INPUTS", inputs);
        text += pins("OUTPUTS", outputs);
        return text + "</" + tag + ">";
    }
};

// The whole text: root DRBv1, a VERSION and the top container.
inline std::string DrbText(const DrbBlock& top, const std::string& version = "1.0")
{
    return "<DRBv1><VERSION>" + version + "</VERSION>" + top.Xml() + "</DRBv1>";
}

// Containers nested depth deep below the top, the innermost holding one pin.
inline std::string NestedDrbText(int depth)
{
    std::string open, close;
    for (int i = 0; i < depth; ++i) {
        open += "<CONTAINER><NAME>C" + std::to_string(i) + "</NAME>";
        close += "</CONTAINER>";
    }
    return "<DRBv1><CONTAINER><NAME>Top</NAME>" + open +
           "<INPUTS><VARIABLE><NAME>Deep</NAME><ID>1</ID></VARIABLE></INPUTS>" + close +
           "</CONTAINER></DRBv1>";
}

// A typical application: a top container with pins, a nested container A
// holding a code block B, and a code block C.
inline DrbBlock SampleApplication()
{
    DrbBlock top("Top");
    top.In(DrbPin("Speed", 10)).Out(DrbPin("Alarm", 11));
    DrbBlock a("A");
    DrbBlock b("B", true);
    b.In(DrbPin("Count", 20, 4, "<DB>2:5</DB>")).Out(DrbPin("Total", 21, 1, "<DB>3:1</DB>"));
    a.Add(b).In(DrbPin("Level", 30, 1, "<DB>2:7</DB>"));
    DrbBlock c("C", true);
    c.In(DrbPin("Limit", 40, 2));
    top.Add(a).Add(c);
    return top;
}

} // namespace trovtest
