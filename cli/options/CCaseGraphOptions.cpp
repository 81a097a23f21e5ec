#include "cli/options/CCaseGraphOptions.h"

#include "questions/CQuestionRegistry.h"

#include <algorithm>

CCaseGraphOptions::CCaseGraphOptions()
    : CCommandOptions("casegraph", Arguments::File,
                      "casegraph FILE [--names] [--classes] [--class-summary] [--case-class]\n"
                      "               [--xml OUT] [--class-xml OUT] [--graphml OUT] [--dot OUT]\n"
                      "               [--contact-free] [--forward] [--engine E] [--max-cases N]\n"
                      "               [--max-memory SIZE]",
                      "compute the case graph and write its analyses") {
    for (const CQuestion* question : Questions().FlagsOf("casegraph")) {
        const CQuestion::CommandLine cli = question->Cli();
        Flag(cli.flag, cli.help, [this, question] {
            if (std::find(m_arrAsked.begin(), m_arrAsked.end(), question) == m_arrAsked.end())
                m_arrAsked.push_back(question);
        });
    }
    Text("--xml", "OUT", "write the case graph as XML", m_strXml);
    Text("--graphml", "OUT", "write the case graph as GraphML", m_strGraphML);
    Text("--dot", "OUT", "write the case graph as a Graphviz DOT graph", m_strDot);
    Text("--class-xml", "OUT", "write the case class as XML", m_strClassXml);
    Engine(m_engine);
}
