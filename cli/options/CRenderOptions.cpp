#include "cli/options/CRenderOptions.h"

CRenderOptions::CRenderOptions()
    : CCommandOptions("render", Arguments::File,
                      "render FILE [--view net|casegraph|occurrence] [--seed S] [--standalone]\n"
                      "             [--engine E] [--max-cases N] [--max-memory SIZE] -o OUT",
                      "draw a diagram as .svg, .png, .pdf, .emf or TikZ (.tex)") {
    Value("--view", "VIEW", "the diagram: net (the default), casegraph or occurrence",
          [this](const std::string& value) -> std::optional<std::string> {
              if (value != "net" && value != "casegraph" && value != "occurrence")
                  return "--view takes net, casegraph or occurrence, not '" + value + "'";
              m_strView = value;
              return std::nullopt;
          });
    Seed(m_seed);
    Flag("--standalone", "a TikZ picture as a LaTeX document that compiles on its own",
         m_bStandalone);
    Output("the picture; its extension chooses the format");
    Engine(m_engine);
}

std::optional<std::string> CRenderOptions::Missing() const {
    if (m_strOutput.empty())
        return "render needs -o OUT";
    return std::nullopt;
}
