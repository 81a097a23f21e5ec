#pragma once

// The command identities of the main window's menus, toolbars, bars and the views'
// popup menus, declared once. Every menu item and toolbar button carries its id as the
// data of its QAction; the views handle and enable commands by these numbers.
namespace Cmd {

// File
constexpr int ID_FILE_NEW = 57600;
constexpr int ID_FILE_OPEN = 57601;
constexpr int ID_FILE_CLOSE = 57602;
constexpr int ID_EDIT_UNDO = 57643;
constexpr int ID_EDIT_CUT = 57635;
constexpr int ID_EDIT_COPY = 57634;
constexpr int ID_EDIT_PASTE = 57637;
constexpr int ID_EDIT_SELECT_ALL = 57642;
constexpr int ID_EDIT_SELECT_NONE = 32865;
constexpr int ID_EDIT_REDO = 57644;
constexpr int ID_FILE_SAVE = 57603;
constexpr int ID_FILE_SAVE_AS = 57604;
constexpr int ID_FILE_PRINT_SETUP = 57606;
constexpr int ID_FILE_PRINT = 57607;
constexpr int ID_FILE_PRINT_PREVIEW = 57609;
constexpr int ID_FILE_MRU_FILE1 = 57616;
constexpr int RECENT_FILES = 4;
constexpr int ID_APP_EXIT = 57665;
constexpr int ID_APP_ABOUT = 57664;

// Edit
constexpr int ID_EDIT_DELETE = 32790;
constexpr int ID_PLACE_FRONT = 32787;
constexpr int ID_PLACE_BACK = 32788;
// The popup menus of routes and outlines.
constexpr int ID_EDGE_DELETE_POINT = 32792;
constexpr int ID_EDGE_DELETE_ALL_POINTS = 32793;
constexpr int ID_POLYGON_DELETE_POINT = 32794;

// View
constexpr int ID_VIEW_STATUS_BAR = 59393;
constexpr int ID_VIEW_PROPERTIES_BAR = 32782;
constexpr int ID_VIEW_GRID = 32783;
constexpr int ID_VIEW_RULER = 32838;
constexpr int ID_VIEW_OUTPUT = 32795;
constexpr int ID_VIEW_NAVIGATOR = 32867;
constexpr int ID_VIEW_FULL_SCREEN = 32806;
constexpr int ID_VIEW_ZOOM_IN = 32851;
constexpr int ID_VIEW_ZOOM_OUT = 32852;
constexpr int ID_VIEW_ZOOM_ACTUAL = 32853;
constexpr int ID_VIEW_ZOOM_FIT = 32854;
constexpr int ID_VIEW_ZOOM_DRAWING = 32855;
constexpr int ID_LEAVE_FULL_SCREEN = 32807;

// Tools
constexpr int ID_TOOL_SELECT = 32771;
constexpr int ID_TOOL_CONDITION = 32772;
constexpr int ID_TOOL_EVENT = 32773;
constexpr int ID_TOOL_EDGE = 32774;
constexpr int ID_TOOL_POLYGON = 32775;
constexpr int ID_TOOL_LABEL = 32776;
constexpr int ID_TOOL_TOKEN = 32777;

// Net Design
constexpr int ID_SHOW_NET_DESIGN = 32835;
constexpr int ID_NET_COMPLEMENT = 32813;
constexpr int ID_NET_VIEW_PROPERTIES = 32821;
// The exports of the formats the menus had before formats were registered keep their
// ids (app/frame/ExportCommands); a new format takes one of ID_EXPORT_FIRST on.
constexpr int ID_NET_EXPORT_XML = 32827;
constexpr int ID_NET_EXPORT_EMF = 32828;
constexpr int ID_NET_EXPORT_SVG = 32840;
constexpr int ID_NET_EXPORT_PDF = 32841;
constexpr int ID_NET_EXPORT_PNG = 32842;
constexpr int ID_NET_EXPORT_TIKZ = 32861;
// Nets exchanged with other tools.
constexpr int ID_NET_EXPORT_PNML = 32849;
constexpr int ID_FILE_IMPORT_PNML = 32850;

// Simulation
constexpr int ID_SHOW_SIMULATING_SYSTEM = 32824;
constexpr int ID_ENTER_SIMULATION = 32796;
constexpr int ID_LEAVE_SIMULATION = 32797;
constexpr int ID_EXECUTE_STEP = 32802;
constexpr int ID_RESET_SYSTEM = 32805;
constexpr int ID_SET_BREAKPOINTS = 32814;
constexpr int ID_SET_ACTUAL_CASE = 32823;
// The buttons of the simulation page.
constexpr int ID_SIM_STOP = 1001;
constexpr int ID_SIM_RESET = 1002;
constexpr int ID_SIM_STEP = 1003;
constexpr int ID_SIM_START = 1030;

// Analysis
constexpr int ID_WRITE_CASE_CLASS = 32800;
constexpr int ID_EXPORT_CASE_CLASS_XML = 32829;
constexpr int ID_CASE_CLASS_VERIFICATION = 32815;
constexpr int ID_COMPUTE_ALL_REACHABLE = 32839;
constexpr int ID_COUNT_REACHABLE_CLASSES = 32856;
constexpr int ID_PROPERTY_LIST = 32873;

// Case Graph
constexpr int ID_SHOW_CASE_GRAPH = 32808;
constexpr int ID_HIGHLIGHT_REACHABLE = 32833;
constexpr int ID_SHOW_WHOLE_GRAPH = 32866;
constexpr int ID_OVERVIEW_BY_CLASS = 32868;
constexpr int ID_OVERVIEW_LIMITS = 32869;
constexpr int ID_GO_TO_CASE = 32870;
constexpr int ID_LAY_OUT_NEIGHBOURHOOD = 32871;
constexpr int ID_SMOOTH_CASE_GRAPH = 32811;
constexpr int ID_LAYERED_LAYOUT = 32864;
constexpr int ID_CASE_GRAPH_VIEW_PROPERTIES = 32822;
constexpr int ID_CASE_GRAPH_EXPORT_XML = 32836;
constexpr int ID_CASE_GRAPH_EXPORT_GRAPHML = 32857;
constexpr int ID_CASE_GRAPH_EXPORT_DOT = 32858;
constexpr int ID_CASE_GRAPH_EXPORT_EMF = 32830;
constexpr int ID_CASE_GRAPH_EXPORT_SVG = 32843;
constexpr int ID_CASE_GRAPH_EXPORT_PDF = 32844;
constexpr int ID_CASE_GRAPH_EXPORT_PNG = 32845;
constexpr int ID_CASE_GRAPH_EXPORT_TIKZ = 32862;

// Occurrence Net
constexpr int ID_SHOW_OCCURRENCE_NET = 32809;
constexpr int ID_OCCURRENCE_NET_VIEW_PROPERTIES = 32817;
constexpr int ID_OCCURRENCE_NET_EXPORT_XML = 32837;
constexpr int ID_OCCURRENCE_NET_EXPORT_GRAPHML = 32859;
constexpr int ID_OCCURRENCE_NET_EXPORT_DOT = 32860;
constexpr int ID_OCCURRENCE_NET_EXPORT_EMF = 32831;
constexpr int ID_OCCURRENCE_NET_EXPORT_SVG = 32846;
constexpr int ID_OCCURRENCE_NET_EXPORT_PDF = 32847;
constexpr int ID_OCCURRENCE_NET_EXPORT_PNG = 32848;
constexpr int ID_OCCURRENCE_NET_EXPORT_TIKZ = 32863;

// Commands made at run time: the exports of formats without an id of their own above
// (app/frame/ExportCommands), and rows added to the Analysis menu from a list.
constexpr int ID_EXPORT_FIRST = 33000;
constexpr int ID_EXPORT_LAST = 33999;
constexpr int ID_ANALYSIS_LISTED_FIRST = 34000;
constexpr int ID_ANALYSIS_LISTED_LAST = 34999;

// The output window's context menu
constexpr int ID_OUTPUT_HIDE = 32798;
constexpr int ID_OUTPUT_RESET_CONTENT = 32799;

} // namespace Cmd
