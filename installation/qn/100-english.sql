-- The English question table of the demo installation: one row per item, 123 rows in ascending ID order.
-- The items are invented sample data written for this demo. They imitate the shape of a court-program self-report
-- inventory (86 true or false statements, 24 frequency ratings, 13 multiple-choice items) but are not a real or
-- validated questionnaire and must not be used to assess anyone.
-- QuestionAudio and ChoiceAudio1..5 name the wave files (without ".wav") in the sound folder ENGLISH; the answers
-- of sections 1 and 2 are the same for every item and share their sound files.
-- The answer grid sorts items by how ANSWER2 begins: "False" for section 1, "Sometimes" for section 2, and for
-- section 3 anything but "False", "No", "Somet", "Mostl" or "Often".
INSERT INTO About VALUES ('English', 'Invented sample items for the demo installation; not a real or validated questionnaire.');

CREATE TABLE English (
  ID INTEGER NOT NULL,
  TestQuestion TEXT NOT NULL,
  QuestionAudio TEXT,
  ANSWER1 TEXT NOT NULL, ANSWER2 TEXT NOT NULL, ANSWER3 TEXT, ANSWER4 TEXT, ANSWER5 TEXT,
  ChoiceAudio1 TEXT, ChoiceAudio2 TEXT, ChoiceAudio3 TEXT, ChoiceAudio4 TEXT, ChoiceAudio5 TEXT);

-- Section 1: true or false statements, items 1 to 86.
INSERT INTO English VALUES (1, 'I have sometimes taken things that did not belong to me.', 'E001', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (2, 'My drinking has caused problems with my family.', 'E002', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (3, 'I have never told a lie in my whole life.', 'E003', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (4, 'I have used drugs to help me relax.', 'E004', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (5, 'I lose my temper more easily than most people.', 'E005', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (6, 'I have been told that I drink too much.', 'E006', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (7, 'I always obey every law, even the small ones.', 'E007', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (8, 'I have missed work or school because of drug use.', 'E008', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (9, 'When I get angry I sometimes break things.', 'E009', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (10, 'I usually drink more than I planned to.', 'E010', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (11, 'I have never said anything unkind about another person.', 'E011', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (12, 'I have felt guilty about my use of drugs.', 'E012', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (13, 'People have been afraid of me when I was angry.', 'E013', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (14, 'I have had a drink in the morning to steady my nerves.', 'E014', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (15, 'I have sometimes put off things I should have done.', 'E015', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (16, 'I have tried to cut down on drugs and failed.', 'E016', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (17, 'I have hit someone during an argument.', 'E017', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (18, 'I have driven a car after drinking alcohol.', 'E018', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (19, 'I like everyone I have ever met.', 'E019', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (20, 'I have bought drugs from someone I did not know.', 'E020', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (21, 'I hold grudges for a long time.', 'E021', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (22, 'I have had blackouts after drinking.', 'E022', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (23, 'I have never been late for an appointment.', 'E023', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (24, 'Some of my friends use drugs.', 'E024', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (25, 'I have threatened to hurt someone.', 'E025', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (26, 'Alcohol helps me forget my problems.', 'E026', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (27, 'I sometimes feel like swearing.', 'E027', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (28, 'I have used more than one drug at the same time.', 'E028', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (29, 'Small things make me very angry.', 'E029', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (30, 'I have been arrested for something I did while drinking.', 'E030', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (31, 'I have always been completely honest with my employers.', 'E031', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (32, 'I have used drugs while at work or at school.', 'E032', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (33, 'I have thrown things at another person.', 'E033', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (34, 'I often drink alone.', 'E034', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (35, 'I get along well with my family.', 'E035', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (36, 'I have needed more of a drug to get the same effect.', 'E036', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (37, 'I have shouted at members of my family.', 'E037', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (38, 'I have tried to stop drinking and could not.', 'E038', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (39, 'I would tell the truth even if it got me into trouble.', 'E039', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (40, 'I have felt sick when I stopped using drugs.', 'E040', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (41, 'I have damaged property when I was angry.', 'E041', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (42, 'Drinking has caused me to miss work.', 'E042', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (43, 'I have never wanted to hurt anyone.', 'E043', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (44, 'I have taken prescription drugs that were not prescribed for me.', 'E044', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (45, 'I have been in more than one fight as an adult.', 'E045', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (46, 'My family worries about my drinking.', 'E046', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (47, 'I sometimes gossip about other people.', 'E047', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (48, 'I have been treated for drug use.', 'E048', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (49, 'I have pushed or grabbed a partner during an argument.', 'E049', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (50, 'I have been treated for a drinking problem.', 'E050', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (51, 'I have never broken a promise.', 'E051', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (52, 'I have stolen money or property to pay for drugs.', 'E052', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (53, 'I say things I regret when I am angry.', 'E053', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (54, 'I have had a drink as soon as I woke up.', 'E054', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (55, 'I feel good about myself most of the time.', 'E055', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (56, 'I use drugs to feel normal.', 'E056', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (57, 'A court has ordered me to stay away from someone.', 'E057', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (58, 'I have lied about how much I drink.', 'E058', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (59, 'I have sometimes felt jealous of others.', 'E059', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (60, 'I have sold drugs.', 'E060', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (61, 'I have trouble controlling my anger.', 'E061', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (62, 'I have been in trouble with the law because of alcohol.', 'E062', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (63, 'I have never taken advantage of anyone.', 'E063', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (64, 'I have hidden my drug use from others.', 'E064', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (65, 'I get into arguments with people at work.', 'E065', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (66, 'I have passed out from drinking.', 'E066', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (67, 'I am worried about my future.', 'E067', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (68, 'I have injected drugs with a needle.', 'E068', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (69, 'I have been violent toward someone I love.', 'E069', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (70, 'I have felt that I should cut down on my drinking.', 'E070', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (71, 'I have always paid every bill on time.', 'E071', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (72, 'Using drugs has hurt my health.', 'E072', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (73, 'I feel that others often treat me unfairly.', 'E073', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (74, 'I have lost a job because of drinking.', 'E074', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (75, 'I have trouble sleeping at night.', 'E075', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (76, 'I have driven a car while high on drugs.', 'E076', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (77, 'I calm down quickly after I get upset.', 'E077', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (78, 'I have been ashamed of things I did while drinking.', 'E078', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (79, 'I have never been in trouble of any kind.', 'E079', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (80, 'I can stop using drugs whenever I want to.', 'E080', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (81, 'I have been arrested for assault.', 'E081', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (82, 'Most of my friends drink heavily.', 'E082', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (83, 'I have felt sad or hopeless for weeks at a time.', 'E083', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (84, 'I am answering these statements honestly.', 'E084', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (85, 'I would like help with my use of alcohol or drugs.', 'E085', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);
INSERT INTO English VALUES (86, 'I have had trouble understanding these statements.', 'E086', 'True', 'False', NULL, NULL, NULL, 'ETRUE', 'EFALSE', NULL, NULL, NULL);

-- Section 2: frequency ratings, items 87 to 110.
INSERT INTO English VALUES (87, 'I feel tense or nervous.', 'E087', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (88, 'I have trouble relaxing.', 'E088', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (89, 'I worry about money.', 'E089', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (90, 'I feel that people are against me.', 'E090', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (91, 'I feel tired during the day.', 'E091', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (92, 'I have trouble getting along with people.', 'E092', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (93, 'I feel restless.', 'E093', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (94, 'I feel overwhelmed by my problems.', 'E094', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (95, 'I feel angry for no clear reason.', 'E095', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (96, 'I get headaches or stomach aches when I am under pressure.', 'E096', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (97, 'I feel lonely.', 'E097', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (98, 'I have trouble making decisions.', 'E098', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (99, 'I think about drinking or using drugs.', 'E099', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (100, 'I feel pressured by the people around me.', 'E100', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (101, 'I have trouble keeping a job.', 'E101', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (102, 'I feel that my life is out of control.', 'E102', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (103, 'I argue with the people I live with.', 'E103', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (104, 'I feel down or discouraged.', 'E104', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (105, 'I cannot stop thinking about my problems.', 'E105', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (106, 'I feel that I have no one to talk to.', 'E106', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (107, 'I lose patience with other people.', 'E107', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (108, 'I feel satisfied with my life.', 'E108', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (109, 'I have trouble meeting my responsibilities.', 'E109', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);
INSERT INTO English VALUES (110, 'I handle stress well.', 'E110', 'Rare or Never', 'Sometimes', 'Often', 'Very Often or Always', NULL, 'ERARE', 'ESOMETIMES', 'EOFTEN', 'EVERYOFTEN', NULL);

-- Section 3: multiple choice, each item with its own four answers, items 111 to 123.
INSERT INTO English VALUES (111, 'How old were you the first time you drank alcohol?', 'E111', 'Under 13', '13 to 15', '16 to 20', '21 or older, or never drank', NULL, 'E111A1', 'E111A2', 'E111A3', 'E111A4', NULL);
INSERT INTO English VALUES (112, 'On a day when you drink, how many drinks do you usually have?', 'E112', 'I do not drink', '1 or 2', '3 to 5', '6 or more', NULL, 'E112A1', 'E112A2', 'E112A3', 'E112A4', NULL);
INSERT INTO English VALUES (113, 'How often do you use drugs in a way a doctor did not prescribe?', 'E113', 'Never', 'Less than once a month', 'Every week', 'Every day', NULL, 'E113A1', 'E113A2', 'E113A3', 'E113A4', NULL);
INSERT INTO English VALUES (114, 'How many times have you been arrested in your life?', 'E114', 'Never', 'Once', '2 to 4 times', '5 or more times', NULL, 'E114A1', 'E114A2', 'E114A3', 'E114A4', NULL);
INSERT INTO English VALUES (115, 'When you are angry, what do you usually do?', 'E115', 'Talk it over', 'Walk away', 'Yell or swear', 'Hit or break something', NULL, 'E115A1', 'E115A2', 'E115A3', 'E115A4', NULL);
INSERT INTO English VALUES (116, 'Who do you live with now?', 'E116', 'Alone', 'With a spouse or partner', 'With parents or relatives', 'With friends or others', NULL, 'E116A1', 'E116A2', 'E116A3', 'E116A4', NULL);
INSERT INTO English VALUES (117, 'How would you describe your health?', 'E117', 'Excellent', 'Good', 'Fair', 'Poor', NULL, 'E117A1', 'E117A2', 'E117A3', 'E117A4', NULL);
INSERT INTO English VALUES (118, 'What best describes your work in the past year?', 'E118', 'Worked full time', 'Worked part time', 'Worked off and on', 'Did not work', NULL, 'E118A1', 'E118A2', 'E118A3', 'E118A4', NULL);
INSERT INTO English VALUES (119, 'How long has it been since your last drink of alcohol?', 'E119', 'More than a year, or never', '1 to 12 months', '1 to 4 weeks', 'Less than a week', NULL, 'E119A1', 'E119A2', 'E119A3', 'E119A4', NULL);
INSERT INTO English VALUES (120, 'How long has it been since you last used drugs?', 'E120', 'More than a year, or never', '1 to 12 months', '1 to 4 weeks', 'Less than a week', NULL, 'E120A1', 'E120A2', 'E120A3', 'E120A4', NULL);
INSERT INTO English VALUES (121, 'Which drug, if any, have you used most?', 'E121', 'None', 'Marijuana', 'Cocaine or crack', 'Other drugs', NULL, 'E121A1', 'E121A2', 'E121A3', 'E121A4', NULL);
INSERT INTO English VALUES (122, 'How many of your friends have been in trouble with the law?', 'E122', 'None', 'A few', 'About half', 'Most of them', NULL, 'E122A1', 'E122A2', 'E122A3', 'E122A4', NULL);
INSERT INTO English VALUES (123, 'How do you feel about getting help for your problems?', 'E123', 'I do not need help', 'I might accept help', 'I want help', 'I am already getting help', NULL, 'E123A1', 'E123A2', 'E123A3', 'E123A4', NULL);
