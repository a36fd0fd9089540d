# Runs the string table generator on small tables: it must refuse, naming
# the file and line, whatever would leave a format unchecked, and declare
# the conversions of what it accepts.
#   cmake -DGENERATOR=<r7t_stringtable_gen> -DWORK_DIR=<dir> -P stringtable_gen_test.cmake
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})

# Runs the generator on the table and formats list given as contents;
# result, err and header receive its exit code, error output and header.
function(generate case table formats)
  file(WRITE ${WORK_DIR}/${case}.txt "${table}")
  file(WRITE ${WORK_DIR}/${case}_formats.txt "${formats}")
  set(header ${WORK_DIR}/${case}/string_table/formats.h)
  execute_process(
    COMMAND ${GENERATOR} ${WORK_DIR}/${case}.txt ${WORK_DIR}/${case}_formats.txt ${WORK_DIR}/${case}.cpp ${header}
    RESULT_VARIABLE code ERROR_VARIABLE output)
  set(result ${code} PARENT_SCOPE)
  set(err "${output}" PARENT_SCOPE)
  set(header_text "")
  if(EXISTS ${header})
    file(READ ${header} header_text)
  endif()
  set(header "${header_text}" PARENT_SCOPE)
endfunction()

function(expect_refusal case table formats expected)
  generate(${case} "${table}" "${formats}")
  string(FIND "${err}" "${expected}" at)
  if(result EQUAL 0 OR at EQUAL -1)
    message(SEND_ERROR "${case}: expected a refusal with '${expected}'; exit code ${result}, output: ${err}")
  endif()
endfunction()

expect_refusal(unknown_conversion "1\tAlpha\n# a comment\n51\tManche %.2f\n" "51\tkRoundTitle\n"
  "unknown_conversion.txt:3: text 51: unknown conversion \"%.2f\"")
expect_refusal(length_modifier "51\tManche %ld\n" "51\tkRoundTitle\n"
  "length_modifier.txt:1: text 51: unknown conversion")
expect_refusal(lone_percent "7\tRéussite 100 %\n" ""
  "lone_percent.txt:1: text 7: unknown conversion \"%\"")
expect_refusal(unnamed_format "51\tManche %i\n52\tNouvelle\n" "# none\n"
  "unnamed_format.txt:1: text 51 has conversions: name its format in")
expect_refusal(name_without_conversion "52\tNouvelle\n" "52\tkNewRound\n"
  "name_without_conversion_formats.txt:1: text 52 has no conversion to declare")
expect_refusal(name_of_missing_text "51\tManche %i\n" "51\tkRoundTitle\n53\tkOther\n"
  "name_of_missing_text_formats.txt:2: text 53 has no conversion to declare")
expect_refusal(name_twice "51\tManche %i\n700\tTri %i\n" "51\tkRoundTitle\n700\tkRoundTitle\n"
  "name_twice_formats.txt:2: number 700 or name kRoundTitle given twice")
expect_refusal(bad_name "51\tManche %i\n" "51\tround title\n"
  "bad_name_formats.txt:1: expected number<TAB>name")
expect_refusal(bad_escape "51\tManche\\q\n" ""
  "bad_escape.txt:1: unknown escape \\q")

generate(accepted
  "34\tR7T_%s.r7s\n429\tScore de %s, manche %i.\\rSûr ?\n747\tligne %02u\n800\t100%% sûr\n"
  "# formats\n429\tkScoreDeletionQuestion\n34\tkProposedFileName\n747\tkImportLine\n")
if(NOT result EQUAL 0)
  message(SEND_ERROR "accepted: refused: ${err}")
endif()
foreach(declaration
    "inline constexpr TableFormat<ConversionKind::Text> kProposedFileName{34};"
    "inline constexpr TableFormat<ConversionKind::Text, ConversionKind::Integer> kScoreDeletionQuestion{429};"
    "inline constexpr TableFormat<ConversionKind::Unsigned> kImportLine{747};")
  string(FIND "${header}" "${declaration}" at)
  if(at EQUAL -1)
    message(SEND_ERROR "accepted: no '${declaration}' in:\n${header}")
  endif()
endforeach()
string(FIND "${header}" "{800}" at)
if(NOT at EQUAL -1)
  message(SEND_ERROR "accepted: text 800 has no conversion and is declared:\n${header}")
endif()
