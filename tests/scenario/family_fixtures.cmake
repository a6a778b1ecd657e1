# Builds the family fixture sets from the converted mini set: each is mini
# with one rule table replaced by records where record k uses row k, so the
# family scenarios run every row once and never drift from their table.
#   cmake -DOUT=<fixtures out> -P family_fixtures.cmake   (after build_fixtures.cmake)
cmake_minimum_required(VERSION 3.25)

# Writes a data file of the game: the lines in CP932 with CR LF line ends.
function(write_dat path lines)
  list(JOIN lines "\r\n" text)
  file(WRITE ${path}.utf8 "${text}\r\n")
  execute_process(COMMAND iconv -f UTF-8 -t CP932 ${path}.utf8 OUTPUT_FILE ${path} RESULT_VARIABLE rc)
  file(REMOVE ${path}.utf8)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${path} is not representable in CP932")
  endif()
endfunction()

function(family name)
  file(REMOVE_RECURSE ${OUT}/${name})
  file(COPY ${OUT}/mini/ DESTINATION ${OUT}/${name})
endfunction()

# Item kinds: item k has kind k and the amount k + 3; items 100..114 are the
# ailment and cut rolls of kind 53, by amount 0..14.
family(family_items)
set(lines)
foreach(k RANGE 0 114)
  if(k LESS 100)
    math(EXPR pow "${k} + 3")
    list(APPEND lines "I${k}" "" ${k} ${pow} 0 0)
  else()
    math(EXPR pow "${k} - 100")
    list(APPEND lines "I${k}" "" 53 ${pow} 0 0)
  endif()
endforeach()
write_dat(${OUT}/family_items/dat/item.dat "${lines}")

# Monster skills: monster k has skill k, the power k + 2 and costs 1 MP;
# monsters 91..112 (no skill) are there for the evolutions.
family(family_skills)
set(lines)
foreach(k RANGE 0 112)
  math(EXPR pow "${k} + 2")
  list(APPEND lines "M${k}" "" mo000.bmp ${k} ${pow} 1 0 0)
endforeach()
write_dat(${OUT}/family_skills/dat/monster.dat "${lines}")

# Spells: spell k has kind k and costs 1 ARK.
family(family_spells)
set(lines)
foreach(k RANGE 0 24)
  list(APPEND lines "S${k}" "" ${k} 1)
endforeach()
write_dat(${OUT}/family_spells/dat/magic.dat "${lines}")

# The opponent's actions: enemy record k uses action k in all five places.
family(family_actions)
set(lines)
foreach(k RANGE 0 95)
  list(APPEND lines "E${k}" en000.bmp 0 0 0 -1 ${k} ${k} ${k} ${k} ${k})
endforeach()
write_dat(${OUT}/family_actions/dat/enemy.dat "${lines}")

# Extra effects: effect k is named X<k>.
family(family_extras)
set(lines)
foreach(k RANGE 0 123)
  list(APPEND lines "X${k}")
endforeach()
write_dat(${OUT}/family_extras/dat/ex.dat "${lines}")

# Prizes: item k is named P<k>, spell k L<k>, class k C<k> and floor k F<k>,
# so that every prize names its id.
family(family_prizes)
set(lines)
foreach(k RANGE 0 499)
  list(APPEND lines "P${k}" "" 0 1 0 0)
endforeach()
write_dat(${OUT}/family_prizes/dat/item.dat "${lines}")
set(lines)
foreach(k RANGE 0 24)
  list(APPEND lines "L${k}" "" ${k} 1)
endforeach()
write_dat(${OUT}/family_prizes/dat/magic.dat "${lines}")
set(lines)
foreach(k RANGE 0 21)
  list(APPEND lines "C${k}" "" 0 0 0)
endforeach()
write_dat(${OUT}/family_prizes/dat/job.dat "${lines}")
set(lines)
foreach(k RANGE 0 24)
  list(APPEND lines "F${k}")
endforeach()
write_dat(${OUT}/family_prizes/dat/map.dat "${lines}")
