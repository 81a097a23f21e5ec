#include "cli/options/CCaseGraphOptions.h"

#include "cli/options/CliValues.h"

CCaseGraphOptions::CCaseGraphOptions()
    : CCommandOptions("casegraph", Arguments::File,
                      "casegraph FILE [--names] [--classes] [--class-summary] [--case-class]\n"
                      "               [--xml OUT] [--class-xml OUT] [--graphml OUT] [--dot OUT]\n"
                      "               [--contact-free] [--forward] [--engine E] [--max-cases N]\n"
                      "               [--max-memory SIZE]",
                      "compute the case graph and write its analyses") {
    Flag("--names", "write the names of the cases and steps", m_bNames);
    Flag("--classes", "write the forward-reachable classes", m_bClasses);
    Flag("--class-summary", "write how many classes there are and the largest, not the listing",
         m_bClassSummary);
    Flag("--case-class", "write the case class", m_bCaseClass);
    Flag("--contact-free", "write whether the system is contact-free", m_bContactFree);
    Flag("--forward", "write how many cases the initial case reaches by forward steps", m_bForward);
    Text("--xml", "OUT", "write the case graph as XML", m_strXml);
    Text("--graphml", "OUT", "write the case graph as GraphML", m_strGraphML);
    Text("--dot", "OUT", "write the case graph as a Graphviz DOT graph", m_strDot);
    Text("--class-xml", "OUT", "write the case class as XML", m_strClassXml);
    Engine(m_engine);
}
