# The suite: one program per tool of this folder. This table is the one list of
# programs: the build, the tests, the release and its user's manual read it.
#
# Each row: the tool id (it names the record file T<id>.csv, with three digits)
# and the tool source. Tool 30, the half-life tool, is the program Kinetora.exe;
# every other tool's program is named after its record file: Kinetora-T<id>.exe.
# The report tools take ids 101 to 111, one per custom report kind 1 to 11.
set(KINETORA_CATALOGUE
  #  id  tool source                          kind
     30  t030_half_life.cpp                 # 0  formulas: elimination half-life
    101  t101_duty_roster.cpp               # 1  nurse duty roster
    102  t102_dosing_timetable.cpp          # 2  dosing timetable
    103  t103_blood_draw_order.cpp          # 3  blood-draw order
    104  t104_critical_values.cpp           # 4  critical values
    105  t105_high_alert_drugs.cpp          # 5  high-alert drugs
    106  t106_drug_compatibility.cpp        # 6  drug compatibility
    107  t107_follow_up_plan.cpp            # 7  follow-up plan
    108  t108_surgical_safety_checklist.cpp # 8  surgical safety checklist
    109  t109_handover_template.cpp         # 9  handover template
    110  t110_infusion_card.cpp             # 10 infusion card
    111  t111_lab_panels.cpp                # 11 laboratory panels
)
set(KINETORA_CATALOGUE_DIR ${CMAKE_CURRENT_LIST_DIR})

# kinetora_catalogue_program(<id> <target var> <file name var>)
# The CMake target and the program's file name (without .exe) of tool <id>.
function(kinetora_catalogue_program id target_var name_var)
  if(id EQUAL 30)
    set(${target_var} kinetora PARENT_SCOPE)
    set(${name_var} Kinetora PARENT_SCOPE)
  else()
    set(${target_var} kinetora_t${id} PARENT_SCOPE)
    set(${name_var} Kinetora-T${id} PARENT_SCOPE)
  endif()
endfunction()

# The ids and the tool sources of the table, as two lists in the same order.
set(KINETORA_CATALOGUE_IDS "")
set(KINETORA_CATALOGUE_SOURCES "")
set(kinetora_row ${KINETORA_CATALOGUE})
while(kinetora_row)
  list(POP_FRONT kinetora_row kinetora_id kinetora_source)
  list(APPEND KINETORA_CATALOGUE_IDS ${kinetora_id})
  list(APPEND KINETORA_CATALOGUE_SOURCES ${KINETORA_CATALOGUE_DIR}/${kinetora_source})
endwhile()
