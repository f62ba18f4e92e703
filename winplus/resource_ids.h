#pragma once
// Identifiers of Sorix's resources and main-menu commands, each written here once: the resource
// script (app/shell/sorix.rc) and every layer that loads a picture or sends a menu command use these
// names. Plain macros, so that the resource compiler reads them too. The values are those that
// stored files and the end-to-end scenarios know.
#define IDI_SORIX 101
#define IDB_COLLAPSE 102
#define IDR_MAIN_MENU 146
#define IDD_ABOUT 194

// The global tool bar's 22-pixel button strips.
#define IDB_SEPARATOR 132
#define IDB_OPEN_PROJECT 135
#define IDB_SHRINK 148
#define IDB_XY_POSITION 149
#define IDB_ZOOM 150
#define IDB_NEW_PROJECT 151
#define IDB_SAVE_PROJECT 152
#define IDB_SHIFT 153
// The arrow: the global bar's "axis tools off", the mode bars' "Resizing mode".
#define IDB_ARROW 154
#define IDB_FIT_CURRENT_CURVE 155
#define IDB_FIT_ALL_CURVES 156
#define IDB_PREVIOUS_LIMITS 157

// The tree views' 16 x 16 images (the definition tree's node categories, the explorers' items).
#define IDB_NODE_MEAN 103
#define IDB_NODE_BOOLEAN 104
#define IDB_NODE_COMPLEX 105
#define IDB_NODE_CONSTANT 106
#define IDB_NODE_POINT 107
#define IDB_NODE_DLL 108
#define IDB_NODE_PRODUCT 109
#define IDB_NODE_FORMULA 110
#define IDB_NODE_FUNCTION 111
#define IDB_NODE_EMPTY 112
#define IDB_NODE_INTEGER 113
#define IDB_NODE_INTERPOLATION 114
#define IDB_NODE_POINT_LIST 115
#define IDB_NODE_REFERENCE 116
#define IDB_TREE_ROOT 117
#define IDB_NODE_OPERATOR 118
#define IDB_NODE_RATIONAL 119
#define IDB_NODE_REAL 120
#define IDB_NODE_SUM 121
#define IDB_NODE_INACTIVE_REFERENCE 122
#define IDB_NODE_VERSATILE 123
#define IDB_NODE_SPARE 124
#define IDB_NODE_RANDOM 125
#define IDB_TREE_MODEL 126
#define IDB_TREE_VARIABLE 127
#define IDB_TREE_FUNCTION 128
#define IDB_TREE_LAYER 136
#define IDB_TREE_CURVE 137
#define IDB_TREE_FILE_CURVE 138
#define IDB_NODE_TUPLE 139
#define IDB_TREE_SPECTRUM 140
#define IDB_TREE_TOOL_CURVE 163
#define IDB_NODE_FILE 231
#define IDB_NODE_STRING 232
// The check-box state images: none, unticked, ticked.
#define IDB_STATE_NONE 170
#define IDB_STATE_UNTICKED 171
#define IDB_STATE_TICKED 172
// The parameter list's icons.
#define IDI_NODE_EMPTY 141
#define IDI_NODE_INTEGER 142
#define IDI_NODE_REAL 143
#define IDI_NODE_BOOLEAN 144
// The 22-pixel buttons of the explorers', formula, mode and fit bars; the vertical bars'
// 22 x 6 separator.
#define IDB_SEPARATOR_VERTICAL 161
#define IDB_PASTE 129
#define IDB_COPY 130
#define IDB_CUT 131
#define IDB_UNDO 133
#define IDB_REDO 134
#define IDB_VALIDATE 145
#define IDB_ADD_FUNCTION 159
#define IDB_ENABLE_ANCHORS 162
#define IDB_FORCE_RATIO 166
#define IDB_FORCE_EQUAL 167
#define IDB_FORCE_NONE 168
#define IDB_FORCE_GAP 169
#define IDB_FIT_START 173
#define IDB_FIT_STOP 174
#define IDB_FIT_TRANSFER 175
#define IDB_FORMULA_TOGGLE 176

// The main menu's commands.
#define ID_FILE_NEW_PROJECT 147
#define ID_FILE_OPEN 173
#define ID_FILE_SAVE 174
#define ID_FILE_SAVE_AS 175
#define ID_FILE_LOAD_DATA 176
#define ID_FILE_EXIT 177
#define ID_HELP_CONTENTS 178
#define ID_HELP_FUNCTIONS 179
#define ID_HELP_ABOUT 180
#define ID_TOOLS_NOTEPAD 181
#define ID_TOOLS_CALCULATOR 182
#define ID_VIEW_MATH_EXPLORER 185
#define ID_VIEW_FUNCTION_SELECTOR 186
#define ID_VIEW_FORMULA_EDITOR 187
#define ID_VIEW_LAYER_EXPLORER 188
#define ID_FILE_ADD_NEW_MODEL 213
#define ID_FILE_ADD_MODEL 214
#define ID_FILE_ADD_OSML_MODEL 215
#define ID_EXPORT_BINARY 217
#define ID_EXPORT_OSML_DECLARATIONS 218
#define ID_LIBRARY_EXPORT 219
#define ID_VIEW_USER_FUNCTIONS 220
#define ID_LIBRARY_LOAD 221
#define ID_HELP_OSML 223
#define ID_EXPORT_OSML 224
#define ID_FILE_OPEN_SML_LIBRARY 40003
// The "Load Opus File" items, one per block type, in the sub-menu's order.
#define ID_OPUS_REFLECTANCE 196
#define ID_OPUS_TRANSMITTANCE 197
#define ID_OPUS_EMITTANCE 198
#define ID_OPUS_RAMAN 199
#define ID_OPUS_BACKGROUND 200
#define ID_OPUS_SAMPLE 201
#define ID_OPUS_ATR 202
#define ID_OPUS_KUBELKA_MUNK 203
#define ID_OPUS_PA 204
#define ID_OPUS_IR 205
#define ID_OPUS_SP 206
#define ID_OPUS_PS 207
#define ID_OPUS_PR 208
#define ID_OPUS_HS 209
#define ID_OPUS_HR 210
#define ID_OPUS_IS 211
#define ID_OPUS_IB 212
#define ID_OPUS_FIRST ID_OPUS_REFLECTANCE
#define ID_OPUS_LAST ID_OPUS_IB
// Commands of the main window that no menu item sends.
#define ID_LOAD_PROTOTYPE 183
#define ID_SAVE_PROTOTYPE 184
#define ID_SAVE_ENCAPSULATION 189
#define ID_LIBRARY_FIRST_CATEGORY 222
